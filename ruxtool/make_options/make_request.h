// What make's options ask of each input it makes: the quality, the header of a single stream, the
// loudness, the check of given loop points, and what the streams record they were made from.
#pragma once

#include <string>

#include "make_options/make_options.h"
#include "making/stream_making.h"

// For input, without its outputs and with the loop the options give a single input: its points, or
// the search, else its tags, else, for one output, the whole input. loopGiven: where the loop is to
// come from, as the streams record it.
MakeRequest RequestFor(const MakeOptions& options, const std::string& input, const std::string& loopGiven);
