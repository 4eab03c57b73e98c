// EncodeVorbis over vorbis_analysis and the Ogg stream layer.
#include "vorbis_encoder.h"

#include <ogg/ogg.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>

namespace {

constexpr long kFramesPerWrite = 1024;

void AppendPage(const ogg_page& page, std::string& bytes) {
  bytes.append(reinterpret_cast<const char*>(page.header), page.header_len);
  bytes.append(reinterpret_cast<const char*>(page.body), page.body_len);
}

void FlushPages(ogg_stream_state& stream, std::string& bytes) {
  ogg_page page;
  while (ogg_stream_flush(&stream, &page)) AppendPage(page, bytes);
}

class VorbisEncoder {
 public:
  explicit VorbisEncoder(const VorbisSettings& settings) : channels_(settings.channels) {
    vorbis_info_init(&info_);
    ready_ = vorbis_encode_init_vbr(&info_, settings.channels, settings.rate, settings.quality) == 0;
    vorbis_comment_init(&comment_);
    if (!ready_) return;
    vorbis_comment_add_tag(&comment_, "ENCODER", "ruxtool");
    vorbis_analysis_init(&dsp_, &info_);
    vorbis_block_init(&dsp_, &block_);
    ogg_stream_init(&stream_, settings.serial);
  }

  ~VorbisEncoder() {
    if (ready_) {
      ogg_stream_clear(&stream_);
      vorbis_block_clear(&block_);
      vorbis_dsp_clear(&dsp_);
    }
    vorbis_comment_clear(&comment_);
    vorbis_info_clear(&info_);
  }

  bool Ready() const { return ready_; }

  void WriteHeaders() {
    ogg_packet identification, comment, setup;
    vorbis_analysis_headerout(&dsp_, &comment_, &identification, &comment, &setup);
    ogg_stream_packetin(&stream_, &identification);
    FlushPages(stream_, bytes_);
    ogg_stream_packetin(&stream_, &comment);
    ogg_stream_packetin(&stream_, &setup);
    FlushPages(stream_, bytes_);
  }

  void WriteSamples(const float* samples, long frames) {
    float** buffer = vorbis_analysis_buffer(&dsp_, static_cast<int>(frames));
    for (long frame = 0; frame < frames; ++frame) {
      for (int channel = 0; channel < channels_; ++channel) {
        buffer[channel][frame] = samples[frame * channels_ + channel];
      }
    }
    vorbis_analysis_wrote(&dsp_, static_cast<int>(frames));
    EmitPackets();
  }

  std::string Finish() {
    vorbis_analysis_wrote(&dsp_, 0);
    EmitPackets();
    FlushPages(stream_, bytes_);
    return bytes_;
  }

 private:
  void EmitPackets() {
    ogg_packet packet;
    ogg_page page;
    while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
      vorbis_analysis(&block_, nullptr);
      vorbis_bitrate_addblock(&block_);
      while (vorbis_bitrate_flushpacket(&dsp_, &packet)) {
        ogg_stream_packetin(&stream_, &packet);
        while (ogg_stream_pageout(&stream_, &page)) AppendPage(page, bytes_);
      }
    }
  }

  const int channels_;
  bool ready_ = false;
  vorbis_info info_;
  vorbis_comment comment_;
  vorbis_dsp_state dsp_;
  vorbis_block block_;
  ogg_stream_state stream_;
  std::string bytes_;
};

}  // namespace

std::string EncodeVorbis(const std::vector<float>& samples, const VorbisSettings& settings) {
  VorbisEncoder encoder(settings);
  if (!encoder.Ready()) return {};
  encoder.WriteHeaders();
  const long frames = static_cast<long>(samples.size()) / settings.channels;
  for (long start = 0; start < frames; start += kFramesPerWrite) {
    encoder.WriteSamples(samples.data() + start * settings.channels,
                         std::min(kFramesPerWrite, frames - start));
  }
  return encoder.Finish();
}
