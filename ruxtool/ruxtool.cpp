// ruxtool: shows and decodes the engine's streams through rux2.dll, called as the engine calls it.
#include <cstdio>
#include <string>

#include "commands.h"
#include "rux2_library.h"
#include "tool_options.h"

int main(int argc, char** argv) {
  ToolOptions options;
  std::string error;
  if (!ParseToolOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "ruxtool: %s\n\n%s", error.c_str(), kUsage);
    return 2;
  }
  const Rux2Library rux;
  if (!rux.Ready()) {
    std::fprintf(stderr, "ruxtool: cannot load rux2.dll with its twelve exports\n");
    return 1;
  }
  return options.command == ToolOptions::Command::kInfo ? ShowInfo(rux, options) : Decode(rux, options);
}
