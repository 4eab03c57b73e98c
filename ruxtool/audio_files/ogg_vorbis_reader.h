// Ogg Vorbis files as make and find-loop read them: decoded whole, with the loop of their LOOPSTART
// and LOOPLENGTH comments.
#pragma once

#include <string>

#include "pcm_audio.h"

// mixToMono: its channels mixed into one. False, with the reason in error, for a file that is not Ogg
// Vorbis, is cut short or damaged, or whose chained streams differ in channels or rate.
bool ReadOggVorbis(const std::string& path, bool mixToMono, PcmAudio& audio, std::string& error);
