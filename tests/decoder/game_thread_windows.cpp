// RunOnGameThread over CreateThread, the stack size taken as the reservation, as a game's linker
// sets it.
#include <windows.h>

#include "game_thread.h"

namespace {

DWORD WINAPI RunCall(void* call) {
  (*static_cast<const std::function<void()>*>(call))();
  return 0;
}

}  // namespace

bool RunOnGameThread(const std::function<void()>& call) {
  const HANDLE thread =
      CreateThread(nullptr, kGameThreadStackBytes, RunCall, const_cast<std::function<void()>*>(&call),
                   STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
  if (!thread) return false;
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
  return true;
}
