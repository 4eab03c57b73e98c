// CatchInterruptions: a console control handler on Windows, SIGINT elsewhere. The first Ctrl+C asks
// the work to stop; a second one, or the console's closing, ends the process after a clean-up of a
// bounded time, as Windows ends a process whose console closes some seconds after telling it.
#include "commands/interruption.h"


#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#endif

#include "making/output_files.h"
#include "system/console_output.h"
#include "system/stop_request.h"

namespace {

#ifdef _WIN32
// The console's closing leaves five seconds; the jobs under way end sooner at their next check.
constexpr int kCleanUpTries = 20;
constexpr DWORD kCleanUpPauseMs = 100;

void EndAtOnce() {
  SetStopRequested(true);
  for (int tries = 0; !RemoveTemporaryOutputs() && tries < kCleanUpTries; ++tries) Sleep(kCleanUpPauseMs);
  PrintError("ruxtool: stopped at once; no output was left half-written\n");
  std::fflush(nullptr);
  ExitProcess(1);
}

// Windows calls this on a thread of its own; returning TRUE keeps the process running.
BOOL WINAPI OnControl(DWORD event) {
  if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) {
    if (StopRequested()) EndAtOnce();
    SetStopRequested(true);
    PrintError("ruxtool: stopping where no file is left half-written; Ctrl+C again stops at once\n");
    return TRUE;
  }
  EndAtOnce();
  return TRUE;
}
#else
void OnInterrupt(int) { SetStopRequested(true); }
#endif

}  // namespace

void CatchInterruptions() {
#ifdef _WIN32
  SetConsoleCtrlHandler(OnControl, TRUE);
#else
  std::signal(SIGINT, OnInterrupt);
#endif
}
