// Where a stretch of audio occurs again as a copy: its normalised correlation with every stretch of a
// song, on the song thinned out to a few thousand frames a second, which keeps the music's body and
// makes the whole song cheap to scan.
#pragma once

#include <cstddef>
#include <vector>

struct PatternMatch {
  long first = 0;          // the matching stretch's first frame, to within the thinning factor
  double correlation = 0;  // normalised, up to 1
};

// mono[patternFirst, patternEnd) against every stretch of mono[0, searchEnd) of its length. The best
// match of each run of matches at or above threshold, best first, at most count of them.
std::vector<PatternMatch> FindPattern(const std::vector<float>& mono, long rate, long patternFirst, long patternEnd,
                                      long searchEnd, double threshold, size_t count);
