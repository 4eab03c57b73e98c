// The kernel seam over Win32: CreateFileA, SetFilePointerEx and ReadFile, LocalAlloc, _beginthreadex and
// WaitForSingleObject.
#include "kernel.h"

#include <process.h>
#include <windows.h>

namespace kernel {

namespace {

HANDLE HandleOf(File file) { return reinterpret_cast<HANDLE>(file); }
HANDLE HandleOf(Thread thread) { return reinterpret_cast<HANDLE>(thread); }

}  // namespace

File OpenFileForReading(const char* name) {
  const HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  return file == INVALID_HANDLE_VALUE ? nullptr : reinterpret_cast<File>(file);
}

uint64_t FileSize(File file) {
  LARGE_INTEGER size;
  return GetFileSizeEx(HandleOf(file), &size) ? static_cast<uint64_t>(size.QuadPart) : 0;
}

bool SeekFile(File file, uint64_t position) {
  LARGE_INTEGER distance;
  distance.QuadPart = static_cast<LONGLONG>(position);
  return SetFilePointerEx(HandleOf(file), distance, nullptr, FILE_BEGIN) != FALSE;
}

uint32_t ReadFile(File file, void* target, uint32_t count) {
  DWORD read = 0;
  return ::ReadFile(HandleOf(file), target, count, &read, nullptr) ? read : 0;
}

void CloseFile(File file) { CloseHandle(HandleOf(file)); }

void* LocalAllocate(size_t size) { return LocalAlloc(LMEM_FIXED, size); }

void LocalRelease(void* block) { LocalFree(block); }

bool StartThread(Thread& thread, ThreadProcedure procedure, void* argument) {
  // Created suspended so that the handle is stored before the thread can look at it.
  unsigned threadId = 0;
  thread =
      reinterpret_cast<Thread>(_beginthreadex(nullptr, 0, procedure, argument, CREATE_SUSPENDED, &threadId));
  if (!thread) return false;
  ResumeThread(HandleOf(thread));
  return true;
}

WaitResult WaitForThread(Thread thread, uint32_t milliseconds) {
  // A thread's own handle is not signalled while it runs: waiting on it is a plain timed wait.
  switch (WaitForSingleObject(HandleOf(thread), milliseconds)) {
    case WAIT_OBJECT_0:
      return WaitResult::kEnded;
    case WAIT_TIMEOUT:
      return WaitResult::kTimedOut;
    default:
      return WaitResult::kFailed;
  }
}

void CloseThread(Thread thread) { CloseHandle(HandleOf(thread)); }

void Sleep(uint32_t milliseconds) { ::Sleep(milliseconds); }

}  // namespace kernel
