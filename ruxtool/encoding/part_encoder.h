// One Ogg Vorbis stream that plays exactly the frames of a part, encoded with the audio around it.
#pragma once

#include <string>

#include "audio_files/pcm_audio.h"
#include "encoding/part_plan.h"
#include "encoding/vorbis_packet_encoder.h"

// The context parts are encoded with. Before a loop part: ten seconds, over which libvorbisenc's
// memory of the loudest recent peak (its masking follows that peak down by 6 dB a second) comes to
// what it is when the loop plays on from its end; a loop part that started cold would be encoded more
// finely than the introduction before it. After a part: four long blocks, enough for every window
// that reaches into the part and for the encoder's look-ahead; a loop part needs as many to take
// context before it. All zero when libvorbisenc refuses the settings.
PartContext ContextFor(const VorbisSettings& settings);

struct EncodedPart {
  std::string stream;  // empty when libvorbisenc refuses the settings
  // Where the part's first frame, and the frame after its last, fall among the encoder's blocks:
  // frames past the centre of the last block that is centred at or before them.
  long startPhase = 0;
  long endPhase = 0;
};

// The stream of plan.length frames. The packets before the part are dropped, all but the one whose
// window overlaps the first that is kept; the first granule position then tells the decoder how many
// of the frames it completes precede the part. The stream ends with the packet that completes the
// part's last frame, and its granule position cuts off what it holds beyond.
EncodedPart EncodePart(const PcmAudio& audio, const PartPlan& plan, const VorbisSettings& settings);
