// Where make cuts the input: the loop points of the command line or of the input's own tags, checked
// against the input and moved to where the music repeats when they are a little off.
#pragma once

#include <string>

#include "make_options.h"
#include "pcm_audio.h"

struct LoopChoice {
  LoopPoints loop;
  std::string source;  // where it came from, for the developer to see
  std::string moved;   // empty, or what was given and why it was moved
};

// A single stream gets the whole input as its loop; --loop-start auto the best loop the search finds.
// minimumLoop: the shortest loop make can make seamless. False, with the reason in error, when the
// loop cannot be made.
bool ChooseLoop(const MakeOptions& options, const PcmAudio& audio, long minimumLoop, LoopChoice& choice,
                std::string& error);
