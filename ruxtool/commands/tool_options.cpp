// ParseToolOptions: the command word, the options, then the stream and (for decode) the output.
#include "commands/tool_options.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "number_text/parse_number.h"

const char kUsage[] =
    "usage: ruxtool info [options] STREAM\n"
    "       ruxtool decode [options] STREAM OUTPUT.wav\n"
    "       ruxtool make [options] INPUT OUTPUT\n"
    "       ruxtool make [options] INPUT INTRO LOOP\n"
    "       ruxtool make --report REPORT_FOLDER [options] SOURCE_FOLDER OUTPUT_FOLDER\n"
    "       ruxtool find-loop [options] INPUT\n"
    "       ruxtool report [-j N] FOLDER REPORT_FOLDER\n"
    "\n"
    "info shows the stream's header, length and format, before and after its Vorbis headers are read.\n"
    "decode writes the stream as it plays, with its loops, to a 16-bit WAV file.\n"
    "\n"
    "options of info and decode:\n"
    "  --file         read through the DLL's file source (RUX_InputFile); otherwise the stream is\n"
    "                 read into memory first (RUX_InputMemory)\n"
    "  --offset N     where the stream, with its header if any, begins in its file (default 0)\n"
    "  --size N       the stream's bytes, header included (default 0: to the end of the file)\n"
    "  --loop FILE    FILE is the loop part and STREAM its introduction, both plain Ogg Vorbis\n"
    "  --loops N      how often the loop part plays, or the whole stream without --loop (default 1)\n";

namespace {

bool ParseCommand(const char* word, ToolOptions::Command& command) {
  if (std::strcmp(word, "info") == 0) {
    command = ToolOptions::Command::kInfo;
  } else if (std::strcmp(word, "decode") == 0) {
    command = ToolOptions::Command::kDecode;
  } else if (std::strcmp(word, "make") == 0) {
    command = ToolOptions::Command::kMake;
  } else if (std::strcmp(word, "find-loop") == 0) {
    command = ToolOptions::Command::kFindLoop;
  } else if (std::strcmp(word, "report") == 0) {
    command = ToolOptions::Command::kReport;
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool ParseToolOptions(int argc, char** argv, ToolOptions& options, std::string& error) {
  if (argc < 2 || !ParseCommand(argv[1], options.command)) {
    error = "the first argument is info, decode, make, find-loop or report";
    return false;
  }
  if (options.command == ToolOptions::Command::kMake) return ParseMakeOptions(argc - 2, argv + 2, options.make, error);
  if (options.command == ToolOptions::Command::kFindLoop) {
    return ParseFindLoopOptions(argc - 2, argv + 2, options.findLoop, error);
  }
  if (options.command == ToolOptions::Command::kReport) {
    return ParseReportOptions(argc - 2, argv + 2, options.report, error);
  }
  std::vector<std::string> names;
  for (int i = 2; i < argc; ++i) {
    const std::string argument = argv[i];
    const bool hasValue = i + 1 < argc;
    uint32_t number = 0;
    if (argument == "--file") {
      options.fromFile = true;
    } else if (argument == "--loop" && hasValue) {
      options.loopStream = argv[++i];
    } else if ((argument == "--offset" || argument == "--size" || argument == "--loops") && hasValue) {
      if (!ParseWholeNumber(argv[++i], 0, UINT32_MAX, number)) {
        error = argument + " takes a number";
        return false;
      }
      if (argument == "--offset") options.offset = number;
      if (argument == "--size") options.size = number;
      if (argument == "--loops") options.loops = number;
    } else if (argument.compare(0, 2, "--") == 0) {
      error = "unknown option or missing value: " + argument;
      return false;
    } else {
      names.push_back(argument);
    }
  }
  const size_t namesWanted = options.command == ToolOptions::Command::kDecode ? 2 : 1;
  if (names.size() != namesWanted) {
    error = namesWanted == 2 ? "decode takes a stream and an output file" : "info takes one stream";
    return false;
  }
  if (!options.loopStream.empty() && (options.offset || options.size)) {
    error = "--offset and --size apply to a single stream only";
    return false;
  }
  if (options.loops == 0) {
    error = "--loops is at least 1";
    return false;
  }
  options.stream = names[0];
  if (namesWanted == 2) options.output = names[1];
  return true;
}
