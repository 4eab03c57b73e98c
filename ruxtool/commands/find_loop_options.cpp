// ParseFindLoopOptions: options with their values, and one input.
#include "commands/find_loop_options.h"

#include "number_text/audio_position.h"
#include "number_text/parse_number.h"

const char kFindLoopUsage[] =
    "find-loop prints the loops it finds in the input, best first, one a line: the loop's first frame,\n"
    "the frame after its last, and a score from 0 to 1. It fails when nothing repeats.\n"
    "  --count N             how many loops to print at most (default 5)\n"
    "  --min-length SECONDS  the shortest loop to look for: seconds (3, 4.5s) or minutes and seconds\n"
    "                        (1:30) (default 3)\n";

bool ParseFindLoopOptions(int count, char** arguments, FindLoopOptions& options, std::string& error) {
  int inputs = 0;
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
  return true;
}
