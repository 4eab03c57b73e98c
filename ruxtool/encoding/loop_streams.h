// The streams make writes: an introduction and a loop part that play on from each other as the input
// does, or one stream of the whole input, which plays on from its end into its start when replayed.
#pragma once

#include <string>

#include "audio_files/pcm_audio.h"
#include "encoding/vorbis_packet_encoder.h"

struct LoopStreams {
  std::string intro;  // empty for a single stream
  std::string loop;   // the loop part, or the single stream
};

// loop.start 0 and loop.end the input's end: a single stream. settings give the channels, rate,
// quality and comments; each part gets a serial number of its own. The loop part is encoded as it
// plays after the introduction, or as it plays after the loop's end where that makes its seams
// clearly better; the introduction's end sees the loop's start, or is encoded as if the music stopped
// there where that makes its seam better. False when libvorbisenc refuses the settings.
bool MakeLoopStreams(const PcmAudio& audio, LoopPoints loop, const VorbisSettings& settings, LoopStreams& streams);
