// Report: the soundtrack's page, stopped where Ctrl+C finds it with the previous page left whole.
#include "commands/commands.h"
#include "commands/interruption.h"
#include "system/stop_request.h"

int Report(const Rux2Exports& rux, const ReportOptions& options) {
  CatchInterruptions();
  return ReportSoundtrack(rux, options, StopRequested);
}
