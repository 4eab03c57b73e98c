// CFileStream: one stream of a file, from its offset, loaded into memory chunk by chunk on a reader
// thread that stays one to two chunks ahead of the furthest position read. Only the stream's own bytes
// are held, so a stream costs the same wherever it lies in a large pack file.
#pragma once

#include <atomic>
#include <cstdint>

#include "kernel.h"
#include "win_thread_master.h"

class CFileStream final : public CWinThreadMaster {
 public:
  static constexpr uint32_t kChunkSize = 131072;
  static constexpr uint32_t kPollMilliseconds = 10;

  // Opens the file, loads the first two chunks of the stream that begins at offset and holds size bytes
  // (0: up to the end of the file; the file's end cuts it in any case), and starts the reader thread. A
  // file that cannot be opened, a stream that is empty or does not fit in memory gives an empty stream.
  // If the thread cannot start, the whole stream is loaded here.
  explicit CFileStream(const char* fileName, uint32_t offset = 0, uint32_t size = 0,
                       ThreadStarter startThread = &kernel::StartThread);
  // Stops and joins the reader thread; CCtrlFailed from the join passes through.
  ~CFileStream() noexcept(false);
  // The same, ahead of destruction. After CCtrlFailed the thread may still run: the stream must then
  // outlive it.
  void Stop();

  // The whole file's size, at most 2^32 - 1: what positions can address.
  uint32_t GetSize() const { return fileSize_; }
  // Copies up to length bytes at the absolute file position into target, waiting in 10 ms sleeps for the
  // reader thread to load them. Returns the bytes copied: fewer at the end of the stream, none outside it.
  uint32_t Read(void* target, uint32_t position, uint32_t length);

  // Bytes of the stream present, counted from its offset, and the furthest end, counted alike, that any
  // Read has asked for.
  uint32_t Loaded() const { return loaded_.load(std::memory_order_acquire); }
  uint32_t RequestedEnd() const { return requestedEnd_.load(std::memory_order_relaxed); }

 private:
  unsigned Run() override;
  bool Open(const char* fileName, uint32_t offset, uint32_t size);
  void Start();
  void LoadChunk();
  void LoadAhead();
  void LoadRest();
  void CloseFile();

  std::atomic<uint32_t> running_{0};
  kernel::File file_ = nullptr;
  uint32_t fileSize_ = 0;
  // The stream's first byte in the file, and its length: what buffer_ holds.
  uint32_t streamStart_ = 0;
  uint32_t streamSize_ = 0;
  unsigned char* buffer_ = nullptr;
  // Written by one thread at a time (the constructor, then the reader); only grows. Released after
  // the bytes below it are in buffer_.
  std::atomic<uint32_t> loaded_{0};
  // Written by Read only; only grows.
  std::atomic<uint32_t> requestedEnd_{0};
};
