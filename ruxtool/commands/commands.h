// The commands of ruxtool; each returns the program's exit code.
#pragma once

#include "commands/find_loop_options.h"
#include "commands/report_options.h"
#include "commands/tool_options.h"
#include "make_options/make_options.h"
#include "rux2_library/rux2_library.h"

// Prints the header, length and format of each part, before and after its Vorbis headers are read.
int ShowInfo(const Rux2Library& rux, const ToolOptions& options);
// Plays the stream with its loops into a WAV file, requesting frames as the engine does.
int Decode(const Rux2Library& rux, const ToolOptions& options);
// Writes the streams of an audio file and plays them back through the exports.
int Make(const Rux2Exports& rux, const MakeOptions& options);
// Prints the loops the input's music holds, best first.
int FindLoop(const FindLoopOptions& options);
// Writes the page of a soundtrack's streams.
int Report(const Rux2Exports& rux, const ReportOptions& options);
