// ParseFindLoopOptions: options with their values, and one input.
#include "commands/find_loop_options.h"

#include "number_text/parse_number.h"

const char kFindLoopUsage[] =
    "find-loop prints the loops it finds in the input, best first, one a line: the loop's first frame,\n"
    "the frame after its last, and a score from 0 to 1. It fails when nothing repeats.\n"
    "  --count N             how many loops to print at most (default 5)\n"
    "  --min-length SECONDS  the shortest loop to look for: seconds (3, 4.5s) or minutes and seconds\n"
    "                        (1:30) (default 3)\n"
    "  --loop-start P --loop-end P --loop-tolerance T  loop points known only to within T: the best\n"
    "                        joins with each point within T of these come first (--loop-end: by\n"
    "                        default the input's end; P and T frames, 4.09s or 1:04.09)\n";

namespace {

// --loop-start, --loop-end or --loop-tolerance with its value; false, with the reason in error, for
// a value that is no position.
bool ParsePoint(const std::string& option, const char* value, FindLoopOptions& options, bool& toleranceGiven,
                std::string& error) {
  AudioPosition& position = option == "--loop-start" ? options.start : option == "--loop-end" ? options.end : options.tolerance;
  if (!ParseAudioPosition(value, position)) {
    error = option + " takes frames (196320), seconds (4.09s) or minutes and seconds (1:04.09), not " + value;
    return false;
  }
  (option == "--loop-start" ? options.pointsGiven : option == "--loop-end" ? options.endGiven : toleranceGiven) = true;
  return true;
}

bool CheckPoints(const FindLoopOptions& options, bool toleranceGiven, std::string& error) {
  if (options.endGiven && !options.pointsGiven) error = "--loop-end needs --loop-start";
  else if (options.pointsGiven != toleranceGiven) error = "--loop-start and --loop-tolerance go together";
  return error.empty();
}

}  // namespace

bool ParseFindLoopOptions(int count, char** arguments, FindLoopOptions& options, std::string& error) {
  int inputs = 0;
  bool toleranceGiven = false;
  for (int i = 0; i < count; ++i) {
    const std::string argument = arguments[i];
    const bool hasValue = i + 1 < count;
    if (argument == "--count" && hasValue) {
      if (!ParseWholeNumber(arguments[++i], 1, 1000, options.search.count)) {
        error = "--count takes a number from 1 to 1000";
        return false;
      }
    } else if (argument == "--min-length" && hasValue) {
      if (!ParseSeconds(arguments[++i], 0.1, 3600, options.search.minimumSeconds)) {
        error = "--min-length takes seconds, from 0.1 to 3600";
        return false;
      }
    } else if ((argument == "--loop-start" || argument == "--loop-end" || argument == "--loop-tolerance") && hasValue) {
      if (!ParsePoint(argument, arguments[++i], options, toleranceGiven, error)) return false;
    } else if (argument.compare(0, 2, "--") == 0) {
      error = "unknown option or missing value: " + argument;
      return false;
    } else {
      options.input = argument;
      ++inputs;
    }
  }
  if (inputs != 1) {
    error = "find-loop takes one input";
    return false;
  }
  return CheckPoints(options, toleranceGiven, error);
}
