// One Ogg Vorbis stream that plays exactly the frames of a part, encoded with the audio around it.
#pragma once

#include <string>

#include "part_plan.h"
#include "pcm_audio.h"
#include "vorbis_packet_encoder.h"

// The context a part is encoded with on either side: four long blocks, enough for every window that
// reaches into the part and for the encoder's look-ahead. 0 when libvorbisenc refuses the settings.
long ContextFrames(const VorbisSettings& settings);

// The stream of plan.length frames. The packets before the part are dropped, all but the one whose
// window overlaps the first that is kept; the first granule position then tells the decoder how many
// of the frames it completes precede the part. The stream ends with the packet that completes the
// part's last frame, and its granule position cuts off what it holds beyond. Empty when libvorbisenc
// refuses the settings.
std::string EncodePart(const PcmAudio& audio, const PartPlan& plan, const VorbisSettings& settings);
