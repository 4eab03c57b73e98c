// Where make cuts the input: the loop points of the command line or of the input's own tags, checked
// against the input.
#pragma once

#include <string>

#include "make_options.h"
#include "pcm_audio.h"

// A single stream gets the whole input as its loop. minimumLoop: the shortest loop make can make
// seamless. False, with the reason in error, when the loop cannot be made.
bool ChooseLoop(const MakeOptions& options, const PcmAudio& audio, long minimumLoop, LoopPoints& loop,
                std::string& error);
