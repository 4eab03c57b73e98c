// The Vorbis comments of a FLAC file, where FLAC keeps its tags and other tools the loop: libsndfile
// shows only a few named ones, so libFLAC's metadata interface reads them.
#pragma once

#include <string>
#include <vector>

#include "audio_files/input_file.h"

// "NAME=value" as the file holds them; none when it has no comment block or its metadata cannot be read.
std::vector<std::string> ReadFlacComments(InputFile& file);
