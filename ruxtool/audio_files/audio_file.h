// The inputs of make and find-loop: an audio file that libsndfile reads (WAV, RF64, W64, AIFF, AIFC,
// FLAC, CAF) or an Ogg Vorbis file, told apart by their first bytes.
#pragma once

#include <string>

#include "audio_files/pcm_audio.h"

// mixToMono: its channels mixed into one as they are read, which holds a long song in a fraction of the
// memory. False, with a message that names the file and says what is wrong with it, when it cannot be
// read or holds no frames.
bool ReadAudioFile(const std::string& path, PcmAudio& audio, std::string& error, bool mixToMono = false);
// What the file's header says of its audio, read without its samples; false when it cannot be read,
// which reading it whole then explains.
bool ReadAudioShape(const std::string& path, AudioShape& shape);
