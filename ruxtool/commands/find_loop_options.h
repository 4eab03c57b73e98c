// The command line of ruxtool find-loop.
#pragma once

#include <string>

#include "loop_search/loop_search.h"
#include "number_text/audio_position.h"

struct FindLoopOptions {
  std::string input;
  LoopSearchOptions search;
  // --loop-start, --loop-end and --loop-tolerance: points known roughly, whose best joins come first.
  bool pointsGiven = false;
  AudioPosition start;
  bool endGiven = false;  // otherwise the input's end
  AudioPosition end;
  AudioPosition tolerance;
};

extern const char kFindLoopUsage[];

// arguments: what follows the word find-loop. False, with the reason in error, when they are not what
// kFindLoopUsage describes.
bool ParseFindLoopOptions(int count, char** arguments, FindLoopOptions& options, std::string& error);
