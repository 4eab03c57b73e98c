// Files whose chunks say they hold more than the file does. libsndfile reads what there is of a WAV,
// RF64, W64 or AIFF file cut short without a word, and a copy cut short would pass for a shorter song,
// or lose its loop with a chunk at its end.
#pragma once

#include <string>

#include "audio_files/input_file.h"

// False, with the reason in problem, when a chunk of such a file runs past the file's end; true for
// files of other kinds.
bool CheckChunksWhole(InputFile& file, std::string& problem);
