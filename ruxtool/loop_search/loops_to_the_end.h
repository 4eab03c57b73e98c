// Loops that end where the music ends, before the silence or the fade-out after it: the song's last
// moments are heard again a loop earlier, where the introduction leads into the loop, so that the
// music plays on from its end into the loop's start.
#pragma once

#include <vector>

#include "loop_search/loop_candidate.h"

// mono: the song, its channels mixed; minimumFrames: the shortest loop wanted. The longest loop first:
// a loop that is a whole number of shorter ones, each heard again throughout it, comes after those.
std::vector<LoopCandidate> FindLoopsToTheEnd(const std::vector<float>& mono, long rate, long minimumFrames);
