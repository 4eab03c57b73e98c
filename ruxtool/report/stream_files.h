// The streams made into a folder, at any depth: NAME.intro.ogg with NAME.loop.ogg, and single streams.
#pragma once

#include <string>
#include <vector>

struct StreamFiles {
  std::string name;       // relative to the folder, without ".intro.ogg" or ".ogg"
  std::string introPath;  // empty for a single stream
  std::string loopPath;   // the loop part, or the single stream
  std::string problem;    // why it cannot be played, seen from its files alone
};

// An introduction is paired with the loop part of its name unless its record says make wrote it as a
// single stream; an introduction whose loop part is missing is listed with that problem. Sorted by
// name. False, with the reason in error, when the folder cannot be read.
bool ListStreams(const std::string& folder, std::vector<StreamFiles>& streams, std::string& error);
