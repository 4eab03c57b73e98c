// The loops whose seams the tests and the benchmark measure: tones whose loops hold whole periods,
// music whose loop is mastered with a crossfade, cut into an introduction and a loop part or played
// whole, and music delivered as a 24-bit WAV file with its loop in a smpl chunk.
#pragma once

#include <string>
#include <vector>

#include "music_generator.h"

struct SeamCase {
  const char* name;
  GeneratedSong song;
  float quality;  // libvorbisenc's, -0.1 to 1
  // Its parts, split and encoded alone as if silence came before and after each, click at every seam.
  bool splitClicks = false;
};

// folder: where the case delivered as a file is written and read back, a path ending in a separator
// (empty: the working folder).
std::vector<SeamCase> SeamCases(const std::string& folder);

// A tone at half of full scale, the channels a radian apart, going on for a second past the loop.
GeneratedSong Tone(int channels, long rate, double hertz, LoopPoints loop);

// source's frames [0, loop.end), with the loop mastered as a composer masters one whose points do not
// meet: its last fade frames crossfaded into those before its start, so that it plays on from its end
// into its start as from the introduction; then the loop once more.
GeneratedSong CrossfadeMastered(const PcmAudio& source, LoopPoints loop, long fade);
