// The kernel services the decoder uses (files, the local heap, threads, waits and sleeps), behind a
// seam of its own: Windows in rux2.dll, POSIX in the host build that tests and measures it.
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef _WIN32
// _beginthreadex calls its procedure with the stdcall convention.
#define KERNEL_THREAD_ENTRY __stdcall
#else
#define KERNEL_THREAD_ENTRY
#endif

namespace kernel {

struct FileObject;
struct ThreadObject;
// An open file or a started thread; null when there is none.
using File = FileObject*;
using Thread = ThreadObject*;

// Opens an existing file for reading, shared with readers only; null when it cannot be opened.
File OpenFileForReading(const char* name);
// The file's size; 0 when it cannot be told.
uint64_t FileSize(File file);
// Moves the file's position to the given byte; false when it cannot be moved there.
bool SeekFile(File file, uint64_t position);
// Reads up to count bytes from the file's current position; returns the count read, 0 on failure.
uint32_t ReadFile(File file, void* target, uint32_t count);
void CloseFile(File file);

// Fixed memory from the local heap, not zeroed; null when there is not enough. An image handed to the
// library with freeOnClose must come from here (LocalAlloc on Windows).
void* LocalAllocate(size_t size);
void LocalRelease(void* block);

using ThreadProcedure = unsigned(KERNEL_THREAD_ENTRY*)(void* argument);
// Runs procedure(argument) on a new thread. thread is set before the new thread runs, so that it may
// wait on its own handle. False, with thread null, when no thread could be created.
bool StartThread(Thread& thread, ThreadProcedure procedure, void* argument);

constexpr uint32_t kWaitForever = 0xFFFFFFFF;
enum class WaitResult { kEnded, kTimedOut, kFailed };
// Waits up to the given time for the thread to end; a thread waiting on itself simply sleeps.
WaitResult WaitForThread(Thread thread, uint32_t milliseconds);
// Releases a thread that has ended.
void CloseThread(Thread thread);

void Sleep(uint32_t milliseconds);

}  // namespace kernel
