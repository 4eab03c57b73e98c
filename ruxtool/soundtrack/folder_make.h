// make SOURCE_FOLDER OUTPUT_FOLDER: every audio file under the source folder made into the output
// folder at the same relative path, several at once, those whose outputs are up to date passed over;
// a line for each file as it ends, then the totals.
#pragma once

#include <cstdint>
#include <functional>

#include "make_options/make_options.h"
#include "making/stream_making.h"
#include "rux2_library/rux2_exports.h"

// Gives the making of a file someone to hear its check play the streams, or none.
using ListenerFor = std::function<PlaybackListener*(const MakeRequest& request)>;

// The program's exit code: 1 when a file failed, a line of a loops.txt cannot be taken or the work
// was interrupted, else 0. interrupted, asked between files and between the steps of each, stops the
// work where no file is left half-written. memory: what the files made at once may take together.
int MakeFolder(const Rux2Exports& rux, const MakeOptions& options, const std::function<bool()>& interrupted,
               uint64_t memory, const ListenerFor& listenerFor = {});
