// Where a song's music ends, for the search for loops that end with it: before the silence after it,
// and before a fade-out, whose quietest seconds a lossy coder keeps too roughly to be found again.
#pragma once

#include <vector>

struct MusicEnd {
  long end = 0;          // the frame after the music's last: the silence after it left out
  long fadeStart = 0;    // where a fade-out to the end begins; end where the music does not fade out
  long searchedEnd = 0;  // the end of the stretch the search looks for: end, or within the fade-out
                         // the last frame before it has taken more than a few dB off the music
  bool Fades() const { return fadeStart < end; }
};

// mono: the song, its channels mixed.
MusicEnd FindMusicEnd(const std::vector<float>& mono, long rate);
