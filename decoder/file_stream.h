// CFileStream: a file loaded into memory chunk by chunk on a reader thread that stays one to two
// chunks ahead of the furthest position read.
#pragma once

#include <atomic>
#include <cstdint>

#include "kernel.h"
#include "win_thread_master.h"

class CFileStream final : public CWinThreadMaster {
 public:
  static constexpr uint32_t kChunkSize = 131072;
  static constexpr uint32_t kPollMilliseconds = 10;

  // Opens the file, loads its first two chunks and starts the reader thread. A file that cannot be
  // opened, is empty or does not fit in memory gives an empty stream. If the thread cannot start,
  // the whole file is loaded here.
  explicit CFileStream(const char* fileName, ThreadStarter startThread = &kernel::StartThread);
  // Stops and joins the reader thread; CCtrlFailed from the join passes through.
  ~CFileStream() noexcept(false);
  // The same, ahead of destruction. After CCtrlFailed the thread may still run: the stream must then
  // outlive it.
  void Stop();

  uint32_t GetSize() const { return fileSize_; }
  // Copies up to length bytes at the absolute position into target, waiting in 10 ms sleeps for the
  // reader thread to load them. Returns the bytes copied: fewer at the end of the file.
  uint32_t Read(void* target, uint32_t position, uint32_t length);

  // Bytes present from the start of the file, and the furthest end any Read has asked for.
  uint32_t Loaded() const { return loaded_.load(std::memory_order_acquire); }
  uint32_t RequestedEnd() const { return requestedEnd_.load(std::memory_order_relaxed); }

 private:
  unsigned Run() override;
  void Start();
  void LoadChunk();
  void LoadAhead();
  void LoadRest();
  void CloseFile();

  std::atomic<uint32_t> running_{0};
  kernel::File file_ = nullptr;
  uint32_t fileSize_ = 0;
  unsigned char* buffer_ = nullptr;
  // Written by one thread at a time (the constructor, then the reader); only grows. Released after
  // the bytes below it are in buffer_.
  std::atomic<uint32_t> loaded_{0};
  // Written by Read only; only grows.
  std::atomic<uint32_t> requestedEnd_{0};
};
