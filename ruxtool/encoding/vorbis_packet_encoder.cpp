// VorbisPacketEncoder over vorbis_analysis and the bitrate layer, which in VBR mode hands each block's
// packet straight on.
#include "encoding/vorbis_packet_encoder.h"

VorbisPacketEncoder::VorbisPacketEncoder(const VorbisSettings& settings) : channels_(settings.channels) {
  vorbis_info_init(&info_);
  vorbis_comment_init(&comment_);
  ready_ = vorbis_encode_init_vbr(&info_, settings.channels, settings.rate, settings.quality) == 0;
  if (!ready_) return;
  vorbis_comment_add_tag(&comment_, "ENCODER", "ruxtool");
  for (const std::string& text : settings.comments) vorbis_comment_add(&comment_, text.c_str());
  vorbis_analysis_init(&dsp_, &info_);
  vorbis_block_init(&dsp_, &block_);
}

VorbisPacketEncoder::~VorbisPacketEncoder() {
  if (ready_) {
    vorbis_block_clear(&block_);
    vorbis_dsp_clear(&dsp_);
  }
  vorbis_comment_clear(&comment_);
  vorbis_info_clear(&info_);
}

std::vector<std::string> VorbisPacketEncoder::Headers() {
  ogg_packet packets[3];
  vorbis_analysis_headerout(&dsp_, &comment_, &packets[0], &packets[1], &packets[2]);
  std::vector<std::string> headers;
  for (const ogg_packet& packet : packets) {
    headers.emplace_back(reinterpret_cast<const char*>(packet.packet), static_cast<size_t>(packet.bytes));
  }
  return headers;
}

void VorbisPacketEncoder::Write(const float* samples, long frames) {
  float** buffer = vorbis_analysis_buffer(&dsp_, static_cast<int>(frames));
  for (long frame = 0; frame < frames; ++frame) {
    for (int channel = 0; channel < channels_; ++channel) buffer[channel][frame] = samples[frame * channels_ + channel];
  }
  vorbis_analysis_wrote(&dsp_, static_cast<int>(frames));
  TakePackets();
}

std::vector<AudioPacket>& VorbisPacketEncoder::Finish() {
  vorbis_analysis_wrote(&dsp_, 0);
  TakePackets();
  return packets_;
}

void VorbisPacketEncoder::TakePackets() {
  ogg_packet packet;
  while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
    vorbis_analysis(&block_, nullptr);
    vorbis_bitrate_addblock(&block_);
    while (vorbis_bitrate_flushpacket(&dsp_, &packet)) {
      packets_.push_back({std::string(reinterpret_cast<const char*>(packet.packet), static_cast<size_t>(packet.bytes)),
                          static_cast<int>(vorbis_packet_blocksize(&info_, &packet))});
    }
  }
}

long LongBlockSize(const VorbisSettings& settings) {
  vorbis_info info;
  vorbis_info_init(&info);
  const bool ready = vorbis_encode_init_vbr(&info, settings.channels, settings.rate, settings.quality) == 0;
  const long size = ready ? vorbis_info_blocksize(&info, 1) : 0;
  vorbis_info_clear(&info);
  return size;
}
