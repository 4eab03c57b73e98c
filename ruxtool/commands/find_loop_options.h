// The command line of ruxtool find-loop.
#pragma once

#include <string>

#include "loop_search/loop_search.h"

struct FindLoopOptions {
  std::string input;
  LoopSearchOptions search;
};

extern const char kFindLoopUsage[];

// arguments: what follows the word find-loop. False, with the reason in error, when they are not what
// kFindLoopUsage describes.
bool ParseFindLoopOptions(int count, char** arguments, FindLoopOptions& options, std::string& error);
