// One input made into the streams the engine plays: read, its loop chosen, its loudness levelled if
// asked, encoded, written under temporary names, played back through rux2's exports as the engine
// plays them, and given their names only when they played as the input does.
#pragma once

#include <functional>
#include <string>

#include "encoding/stream_header_writer.h"
#include "loop_search/join_measure.h"
#include "loudness/loudness_gain.h"
#include "making/baked_crossfade.h"
#include "making/loop_choice.h"
#include "making/made_from.h"
#include "rux2_library/rux2_exports.h"
#include "seams/seam_check.h"

// How long a crossfade to bake into the loop's wrap.
struct CrossfadeRequest {
  bool automatic = true;  // chosen from the music
  AudioPosition length;   // otherwise; 0 for none
};

struct MakeRequest {
  std::string input;
  // Where the streams go: an introduction and a loop part for an input with a loop, one stream for an
  // input played whole. single may be empty where the request's loop is required.
  std::string introPath;
  std::string loopPath;
  std::string singlePath;
  LoopRequest loop;
  CrossfadeRequest crossfade;
  float quality = 5;    // -1 to 10
  HeaderChoice header;  // before a single stream
  bool levelLoudness = false;
  LoudnessTarget loudness;
  MadeFrom record;  // what the streams record they were made from; the loop used is filled in
  PlaybackListener* listener = nullptr;  // hears the check play the streams, and whether they were kept
};

struct MadeStreams {
  int channels = 0;
  long rate = 0;
  long frames = 0;
  bool decodedFromVorbis = false;
  LoopChoice loop;
  JoinFigure join;                // of the loop's end cut into its start, as the game would jump
  std::string joinRecord;         // as the streams record it, with the music's own jump; empty for none
  bool crossfadeChosen = false;   // from the music
  bool seamRepeats = false;       // so that none was chosen
  CrossfadePlan crossfade;        // its parts: the loop as the introduction and the loop part divide it
  double crossfadedExcessDb = 0;  // how much more abruptly the wrap, crossfaded, jumps than the music
  bool levelled = false;
  LoudnessLevel level;
  std::string introPath;  // empty for a single stream
  std::string loopPath;   // the loop part, or the single stream
  size_t introBytes = 0;
  size_t loopBytes = 0;
  SeamCheck check;
};

// False, with the reason in error, when the input cannot be made into its streams; no output is then
// left, and whatever was there before stays. interrupted, asked between the steps, stops the work.
bool MakeStreams(const Rux2Exports& rux, const MakeRequest& request, const std::function<bool()>& interrupted,
                 MadeStreams& made, std::string& error);
