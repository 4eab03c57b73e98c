// The command line of ruxtool make.
#pragma once

#include <string>

#include "encoding/stream_header_writer.h"
#include "loudness/loudness_gain.h"
#include "number_text/audio_position.h"

struct MakeOptions {
  std::string input;
  std::string output;      // the single stream, or the introduction; the output folder for a folder
  std::string loopOutput;  // the loop part; empty for a single stream and for a folder
  bool folder = false;     // the input is a folder, whose audio files are made into the output folder
  float quality = 5;       // Vorbis quality, -1 to 10
  HeaderChoice header;
  bool loopStartGiven = false;
  bool loopStartAuto = false;  // --loop-start auto: the best loop the search finds
  bool loopEndGiven = false;
  AudioPosition loopStart;
  AudioPosition loopEnd;  // exclusive
  bool exactLoop = false;  // the loop's points as given, not moved to where the music repeats
  bool loopToleranceGiven = false;  // --loop-tolerance: given points known only to within it
  AudioPosition loopTolerance;
  bool crossfadeAuto = true;   // --crossfade auto: its length chosen from the music
  AudioPosition crossfade;     // otherwise its length, 0 for none
  bool loudnessGiven = false;  // --loudness: one gain to its loudness, capped by the true-peak ceiling
  bool truePeakGiven = false;
  LoudnessTarget loudness;
  unsigned jobs = 0;   // -j: files of a folder made at once; 0 for one per processor
  bool force = false;  // --force: every file of a folder made again, up to date or not
  std::string report;  // --report: the folder the soundtrack's report page goes into, for a folder
};

extern const char kMakeUsage[];

// arguments: what follows the word make. False, with the reason in error, when they are not what
// kMakeUsage describes.
bool ParseMakeOptions(int count, char** arguments, MakeOptions& options, std::string& error);
// The options that shape the streams, as a command line in one order, which the streams record.
std::string ShapingOptions(const MakeOptions& options);
