// The introduction ended as a part encoded alone ends: another way to meet the loop part, for make to
// weigh against the introduction that sees the loop's start.
#pragma once

#include <string>

#include "audio_files/pcm_audio.h"
#include "encoding/part_encoder.h"
#include "encoding/vorbis_packet_encoder.h"

// intro: the introduction's packets, encoded from frame 0 as IntroPlan feeds them. Its last seconds
// are encoded again with nothing after the loop's start, and take the place of its own after the
// last packet the two encodings share, so that everything before plays as it did. Empty when they
// share none.
std::string IntroEndedAlone(const PcmAudio& audio, LoopPoints loop, const VorbisSettings& settings,
                            const PartPackets& intro);
