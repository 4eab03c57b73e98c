// The command line of ruxtool.
#pragma once

#include <cstdint>
#include <string>

#include "commands/find_loop_options.h"
#include "commands/report_options.h"
#include "make_options/make_options.h"

struct ToolOptions {
  enum class Command { kInfo, kDecode, kMake, kFindLoop, kReport };
  Command command = Command::kInfo;
  std::string stream;      // the single stream, or the introduction
  std::string loopStream;  // the loop part; empty for a single stream
  std::string output;      // the WAV file of decode
  bool fromFile = false;   // RUX_InputFile(2) instead of RUX_InputMemory(2)
  uint32_t offset = 0;
  uint32_t size = 0;
  unsigned loops = 1;  // plays of the loop part, or of the whole single stream
  MakeOptions make;
  FindLoopOptions findLoop;
  ReportOptions report;
};

extern const char kUsage[];

// False, with the reason in error, when the command line is not one kUsage describes.
bool ParseToolOptions(int argc, char** argv, ToolOptions& options, std::string& error);
