// Audio files as libsndfile reads them for make and find-loop: WAV (PCM of 8 to 32 bits, float,
// WAVE_FORMAT_EXTENSIBLE and the codecs libsndfile decodes), RF64, W64, AIFF, AIFC, FLAC and CAF, 1 to
// 8 channels, with the loop of a WAV smpl chunk, of AIFF's INST and MARK chunks or of FLAC's comments.
#pragma once

#include <string>

#include "audio_files/input_file.h"
#include "audio_files/pcm_audio.h"

// mixToMono: its channels mixed into one. False, with the reason in error, for a file libsndfile cannot
// read, one cut short or damaged, or one of more than 8 channels.
bool ReadSoundFile(InputFile& file, bool mixToMono, PcmAudio& audio, std::string& error);
// The channels, rate and frames its header gives. False, with the reason, for a file libsndfile cannot
// read.
bool ReadSoundFileShape(InputFile& file, AudioShape& shape, std::string& error);
