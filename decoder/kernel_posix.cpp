// The kernel seam over POSIX files, malloc and std::thread, for the host build. A thread object
// keeps an "ended" flag so that a thread can be waited for with a time limit, as on Windows.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>

#include "kernel.h"

namespace kernel {

struct FileObject {
  int descriptor;
};

struct ThreadObject {
  ThreadProcedure procedure;
  void* argument;
  std::mutex mutex;
  std::condition_variable endedSignal;
  bool ended = false;
  std::thread worker;
};

namespace {

void RunThread(ThreadObject* thread) {
  thread->procedure(thread->argument);
  const std::lock_guard<std::mutex> lock(thread->mutex);
  thread->ended = true;
  thread->endedSignal.notify_all();
}

}  // namespace

File OpenFileForReading(const char* name) {
  const int descriptor = open(name, O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return nullptr;
  // Windows opens no folder as a file.
  struct stat status;
  File file = fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) ? new (std::nothrow)
                                                                               FileObject{descriptor}
                                                                         : nullptr;
  if (!file) close(descriptor);
  return file;
}

uint64_t FileSize(File file) {
  struct stat status;
  return fstat(file->descriptor, &status) == 0 ? static_cast<uint64_t>(status.st_size) : 0;
}

bool SeekFile(File file, uint64_t position) {
  return lseek(file->descriptor, static_cast<off_t>(position), SEEK_SET) >= 0;
}

uint32_t ReadFile(File file, void* target, uint32_t count) {
  // As ReadFile on a disk file: everything asked for, unless the file ends first.
  uint32_t total = 0;
  while (total < count) {
    const ssize_t read = ::read(file->descriptor, static_cast<char*>(target) + total, count - total);
    if (read < 0 && errno == EINTR) continue;
    if (read <= 0) break;
    total += static_cast<uint32_t>(read);
  }
  return total;
}

void CloseFile(File file) {
  close(file->descriptor);
  delete file;
}

void* LocalAllocate(size_t size) { return std::malloc(size); }

void LocalRelease(void* block) { std::free(block); }

bool StartThread(Thread& thread, ThreadProcedure procedure, void* argument) {
  thread = new (std::nothrow) ThreadObject{procedure, argument};
  if (!thread) return false;
  try {
    thread->worker = std::thread(RunThread, thread);
  } catch (const std::system_error&) {
    delete thread;
    thread = nullptr;
    return false;
  }
  return true;
}

WaitResult WaitForThread(Thread thread, uint32_t milliseconds) {
  std::unique_lock<std::mutex> lock(thread->mutex);
  const auto ended = [thread] { return thread->ended; };
  if (milliseconds == kWaitForever) {
    thread->endedSignal.wait(lock, ended);
    return WaitResult::kEnded;
  }
  return thread->endedSignal.wait_for(lock, std::chrono::milliseconds(milliseconds), ended)
             ? WaitResult::kEnded
             : WaitResult::kTimedOut;
}

void CloseThread(Thread thread) {
  thread->worker.join();
  delete thread;
}

void Sleep(uint32_t milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

}  // namespace kernel
