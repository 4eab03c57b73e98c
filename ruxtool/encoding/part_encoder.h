// One Ogg Vorbis stream that plays exactly the frames of a part, encoded with the audio around it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "audio_files/pcm_audio.h"
#include "encoding/part_plan.h"
#include "encoding/vorbis_packet_encoder.h"

// The context parts are encoded with. Before a loop part: ten seconds, over which libvorbisenc's
// memory of the loudest recent peak (its masking follows that peak down by 6 dB a second) comes to
// what it is where the part plays; a loop part that started cold would be encoded more finely than
// the introduction before it. After a part: four long blocks, enough for every window that reaches
// into the part and for the encoder's look-ahead; a loop part needs as many to take context before
// it. All zero when libvorbisenc refuses the settings.
PartContext ContextFor(const VorbisSettings& settings);

// The packets of one encoding, for the caller to lay into a stream.
struct PartPackets {
  std::vector<std::string> headers;  // empty when libvorbisenc refuses the settings
  std::vector<AudioPacket> audio;
};

// Every frame of the plan fed to the encoder.
PartPackets EncodePackets(const PcmAudio& audio, const PartPlan& plan, const VorbisSettings& settings);

// Where each packet's window is centred, in frames from the first frame fed: the frames up to there
// are complete once the packet is decoded.
std::vector<int64_t> PacketCentres(const std::vector<AudioPacket>& packets);

// packets: encoded from an input's first frame. The frame of that input from which to feed a fresh
// encoder so that its long blocks fall where the packets' do, the latest at or before frame from;
// 0 where none is. A fresh encoder opens with short blocks, as the packets' own opening shows.
long AlignedStart(const std::vector<AudioPacket>& packets, int64_t from);

// The stream of plan.length frames; empty when libvorbisenc refuses the settings. The packets before
// the part are dropped, all but the one whose window overlaps the first that is kept; the first
// granule position then tells the decoder how many of the frames it completes precede the part. The
// stream ends with the packet that completes the part's last frame, and its granule position cuts off
// what it holds beyond.
std::string EncodePart(const PcmAudio& audio, const PartPlan& plan, const VorbisSettings& settings);
// The same stream from packets already encoded for the plan.
std::string LayPart(const PartPackets& packets, const PartPlan& plan, int serial);
