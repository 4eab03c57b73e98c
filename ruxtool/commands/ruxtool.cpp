// ruxtool: shows and decodes the engine's streams through rux2.dll, called as the engine calls it,
// makes them from audio files, finds the loops in those, and reports on a soundtrack made.
#include <exception>
#include <new>
#include <string>

#include "commands/commands.h"
#include "commands/tool_options.h"
#include "rux2_library/rux2_library.h"
#include "system/console_output.h"
#include "system/utf8_arguments.h"

namespace {

int Run(const ToolOptions& options) {
  // The search needs no decoder.
  if (options.command == ToolOptions::Command::kFindLoop) return FindLoop(options.findLoop);
  const Rux2Library rux;
  if (!rux.Ready()) {
    PrintError("ruxtool: cannot load rux2.dll with its twelve exports\n");
    return 1;
  }
  switch (options.command) {
    case ToolOptions::Command::kInfo:
      return ShowInfo(rux, options);
    case ToolOptions::Command::kDecode:
      return Decode(rux, options);
    case ToolOptions::Command::kReport:
      return Report(rux, options.report);
    default:
      return Make(rux, options.make);
  }
}

}  // namespace

// The command line in UTF-16, so that a name outside the system's code page arrives whole.
int wmain(int argc, wchar_t** wideArgv) {
  Utf8Arguments arguments(argc, wideArgv);
  ToolOptions options;
  std::string error;
  if (!ParseToolOptions(arguments.Count(), arguments.Words(), options, error)) {
    PrintError("ruxtool: %s\n\n%s\n%s\n%s\n%s", error.c_str(), kUsage, kMakeUsage, kFindLoopUsage, kReportUsage);
    return 2;
  }
  // Whatever a step throws ends the run with a message and the exit code of a failure; the outputs'
  // temporary files are removed as the exception leaves them.
  try {
    return Run(options);
  } catch (const std::bad_alloc&) {
    PrintError("ruxtool: not enough memory: the input is too long for a 32-bit program\n");
  } catch (const std::exception& exception) {
    PrintError("ruxtool: %s\n", exception.what());
  }
  return 1;
}
