// The loop an input's comments name, in the spellings other engines and tools read: LOOPSTART with
// LOOPLENGTH or LOOPEND, also LOOP_START, LOOPLEN and LOOP_END. Ogg Vorbis and FLAC files carry them
// alike, as Vorbis comments.
#pragma once

#include <string>
#include <vector>

#include "audio_files/pcm_audio.h"

// comments: "NAME=value", names in any case. All values are frames; the end is the frame after the
// loop's last, as LOOPSTART + LOOPLENGTH is, and a start alone loops to the input's end (frames). Sets
// audio's loopTag to the comments used and, where they name no loop, its loopTagProblem; leaves audio
// as it is when there is no start.
void ReadLoopTags(const std::vector<std::string>& comments, long frames, PcmAudio& audio);
