// ruxtool: shows and decodes the engine's streams through rux2.dll, called as the engine calls it,
// makes them from audio files, finds the loops in those, and reports on a soundtrack made.
#include <cstdio>
#include <new>
#include <string>

#include "commands/commands.h"
#include "commands/tool_options.h"
#include "rux2_library/rux2_library.h"

namespace {

int Run(const ToolOptions& options) {
  // The search needs no decoder.
  if (options.command == ToolOptions::Command::kFindLoop) return FindLoop(options.findLoop);
  const Rux2Library rux;
  if (!rux.Ready()) {
    std::fprintf(stderr, "ruxtool: cannot load rux2.dll with its twelve exports\n");
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

int main(int argc, char** argv) {
  ToolOptions options;
  std::string error;
  if (!ParseToolOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "ruxtool: %s\n\n%s\n%s\n%s\n%s", error.c_str(), kUsage, kMakeUsage, kFindLoopUsage, kReportUsage);
    return 2;
  }
  // A 32-bit process holds about 2 GB: an hour of 8-channel audio as samples does not fit.
  try {
    return Run(options);
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "ruxtool: not enough memory: the input is too long for a 32-bit program\n");
    return 1;
  }
}
