// CFileStream over the kernel seam's files, with the reader loop and blocking reads.
#include "file_stream.h"

#include <algorithm>
#include <cstring>

CFileStream::CFileStream(const char* fileName, uint32_t offset, uint32_t size, ThreadStarter startThread)
    : CWinThreadMaster(startThread) {
  if (!Open(fileName, offset, size)) {
    CloseFile();
    return;
  }
  LoadChunk();
  LoadChunk();
  Start();
}

CFileStream::~CFileStream() noexcept(false) {
  Stop();
  if (buffer_) kernel::LocalRelease(buffer_);
  CloseFile();
}

// Opens the file and makes room for the stream; false when there is nothing to load.
bool CFileStream::Open(const char* fileName, uint32_t offset, uint32_t size) {
  file_ = kernel::OpenFileForReading(fileName);
  if (!file_) return false;
  fileSize_ = static_cast<uint32_t>(std::min<uint64_t>(kernel::FileSize(file_), UINT32_MAX));
  if (offset >= fileSize_) return false;
  const uint64_t wanted = size ? uint64_t{offset} + size : fileSize_;
  const auto streamSize = static_cast<uint32_t>(std::min<uint64_t>(wanted, fileSize_) - offset);
  if (!kernel::SeekFile(file_, offset)) return false;
  buffer_ = static_cast<unsigned char*>(kernel::LocalAllocate(streamSize));
  if (!buffer_) return false;
  streamStart_ = offset;
  streamSize_ = streamSize;
  return true;
}

uint32_t CFileStream::Read(void* target, uint32_t position, uint32_t length) {
  if (position < streamStart_ || position - streamStart_ >= streamSize_) return 0;
  const uint32_t start = position - streamStart_;
  const uint32_t count = std::min(length, streamSize_ - start);
  const uint32_t end = start + count;
  if (requestedEnd_.load(std::memory_order_relaxed) < end) {
    requestedEnd_.store(end, std::memory_order_relaxed);
  }
  while (Loaded() < end) kernel::Sleep(kPollMilliseconds);
  std::memcpy(target, buffer_ + start, count);
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
  if (loaded >= streamSize_) return;
  const uint32_t wanted = std::min(kChunkSize, streamSize_ - loaded);
  const uint32_t read = kernel::ReadFile(file_, buffer_ + loaded, wanted);
  // A short read, the last chunk or a failed one, ends loading; what it did not fill reads as zeros.
  if (read != kChunkSize) std::memset(buffer_ + loaded + read, 0, streamSize_ - loaded - read);
  loaded_.store(read == kChunkSize ? loaded + read : streamSize_, std::memory_order_release);
}

void CFileStream::LoadAhead() {
  while (Loaded() < streamSize_ && uint64_t{Loaded()} <= uint64_t{RequestedEnd()} + kChunkSize) LoadChunk();
}

void CFileStream::LoadRest() {
  while (Loaded() < streamSize_) LoadChunk();
}

void CFileStream::CloseFile() {
  if (file_) kernel::CloseFile(file_);
  file_ = nullptr;
}
