// CFileStream over the kernel seam's files, with the reader loop and blocking reads.
#include "file_stream.h"

#include <algorithm>
#include <cstring>

CFileStream::CFileStream(const char* fileName, ThreadStarter startThread) : CWinThreadMaster(startThread) {
  file_ = kernel::OpenFileForReading(fileName);
  if (!file_) return;
  const uint32_t size = kernel::FileSize(file_);
  buffer_ = size ? static_cast<unsigned char*>(kernel::LocalAllocate(size)) : nullptr;
  if (!buffer_) {
    CloseFile();
    return;
  }
  fileSize_ = size;
  LoadChunk();
  LoadChunk();
  Start();
}

CFileStream::~CFileStream() noexcept(false) {
  Stop();
  if (buffer_) kernel::LocalRelease(buffer_);
  CloseFile();
}

uint32_t CFileStream::Read(void* target, uint32_t position, uint32_t length) {
  if (position >= fileSize_) return 0;
  const uint32_t count = std::min(length, fileSize_ - position);
  const uint32_t end = position + count;
  if (requestedEnd_.load(std::memory_order_relaxed) < end) {
    requestedEnd_.store(end, std::memory_order_relaxed);
  }
  while (Loaded() < end) kernel::Sleep(kPollMilliseconds);
  std::memcpy(target, buffer_ + position, count);
  return count;
}

unsigned CFileStream::Run() {
  do {
    LoadAhead();
    // The thread's own handle is not signalled while it runs: a plain 10 ms wait.
    kernel::WaitForThread(ThreadHandle(), kPollMilliseconds);
  } while (running_);
  return 0;
}

void CFileStream::Start() {
  running_ = 1;
  if (StartThread()) return;
  running_ = 0;
  LoadRest();
}

void CFileStream::Stop() {
  if (!running_) return;
  running_ = 0;
  StopThread();
}

void CFileStream::LoadChunk() {
  const uint32_t loaded = loaded_.load(std::memory_order_relaxed);
  if (loaded >= fileSize_) return;
  const uint32_t wanted = std::min(kChunkSize, fileSize_ - loaded);
  const uint32_t read = kernel::ReadFile(file_, buffer_ + loaded, wanted);
  // A short read, the last chunk or a failed one, ends loading; what it did not fill reads as zeros.
  if (read != kChunkSize) std::memset(buffer_ + loaded + read, 0, fileSize_ - loaded - read);
  loaded_.store(read == kChunkSize ? loaded + read : fileSize_, std::memory_order_release);
}

void CFileStream::LoadAhead() {
  while (Loaded() < fileSize_ && uint64_t{Loaded()} <= uint64_t{RequestedEnd()} + kChunkSize) LoadChunk();
}

void CFileStream::LoadRest() {
  while (Loaded() < fileSize_) LoadChunk();
}

void CFileStream::CloseFile() {
  if (file_) kernel::CloseFile(file_);
  file_ = nullptr;
}
