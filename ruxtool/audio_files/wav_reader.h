// WAV files as make and find-loop read them: integer PCM of 8, 16, 24 and 32 bits and 32-bit float,
// plain or WAVE_FORMAT_EXTENSIBLE, 1 to 8 channels, with the first loop of a smpl chunk.
#pragma once

#include <istream>
#include <string>

#include "pcm_audio.h"

// file: positioned at a RIFF header of form WAVE; mixToMono: its channels mixed into one. False, with
// the reason in error, for a file that is not such a WAV file, is cut short or contradicts itself.
bool ReadWav(std::istream& file, bool mixToMono, PcmAudio& audio, std::string& error);
