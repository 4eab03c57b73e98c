// Testing the named mutexes. Both handles stay open until the process ends.
#include "instance_guards.h"

#include <windows.h>

namespace {

// An abandoned mutex (its owner died) counts as taken.
bool Acquire(HANDLE mutex) {
  const DWORD result = WaitForSingleObject(mutex, 0);
  return result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
}

}  // namespace

bool TakeSingleInstanceLock() {
  HANDLE mutex = CreateMutexA(nullptr, FALSE, "Orvelle VESK CONFIG");
  return mutex != nullptr && Acquire(mutex);
}

bool EngineIsRunning() {
  HANDLE mutex = CreateMutexA(nullptr, FALSE, "Orvelle VESK INTERFACE");
  if (mutex == nullptr || !Acquire(mutex)) return true;
  ReleaseMutex(mutex);
  return false;
}
