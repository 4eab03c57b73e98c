// CatchInterruptions: a console control handler on Windows, SIGINT elsewhere; both set one flag.
#include "commands/interruption.h"

#include <atomic>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#endif

namespace {

std::atomic<bool> interrupted{false};

#ifdef _WIN32
// Windows calls this on a thread of its own; returning TRUE keeps the process running.
BOOL WINAPI OnControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  interrupted = true;
  return TRUE;
}
#else
void OnInterrupt(int) { interrupted = true; }
#endif

}  // namespace

void CatchInterruptions() {
#ifdef _WIN32
  SetConsoleCtrlHandler(OnControl, TRUE);
#else
  std::signal(SIGINT, OnInterrupt);
#endif
}

bool Interrupted() { return interrupted; }
