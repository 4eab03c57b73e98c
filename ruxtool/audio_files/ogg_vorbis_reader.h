// Ogg Vorbis files as make and find-loop read them: decoded whole, with the loop their comments name.
#pragma once

#include <string>

#include "audio_files/input_file.h"
#include "audio_files/pcm_audio.h"

// mixToMono: its channels mixed into one. False, with the reason in error, for a file that is not Ogg
// Vorbis, is cut short or damaged, or whose chained streams differ in channels or rate.
bool ReadOggVorbis(InputFile& file, bool mixToMono, PcmAudio& audio, std::string& error);
// The channels, rate and frames (as the last granule position gives them) of its first link. False,
// with the reason, for a file that is not Ogg Vorbis.
bool ReadOggVorbisShape(InputFile& file, AudioShape& shape, std::string& error);
