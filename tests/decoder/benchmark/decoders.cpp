// The three decoders of the benchmark, each timed from opening the image to releasing it.
#include "decoders.h"

#include <ogg/ogg.h>
#include <vorbis/codec.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <vector>

#include "rux2_under_test.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// libvorbis driven as the decoder drives it, 1024-byte feed steps included, minus the conversion.
class Synthesis {
 public:
  explicit Synthesis(const std::string& image) : image_(image) {
    ogg_sync_init(&sync_);
    vorbis_info_init(&info_);
    vorbis_comment_init(&comment_);
  }
  ~Synthesis() {
    if (started_) {
      vorbis_block_clear(&block_);
      vorbis_dsp_clear(&dsp_);
    }
    if (streaming_) ogg_stream_clear(&stream_);
    vorbis_comment_clear(&comment_);
    vorbis_info_clear(&info_);
    ogg_sync_clear(&sync_);
  }

  uint64_t Run() {
    while (NextPage()) {
      if (!streaming_) ogg_stream_init(&stream_, ogg_page_serialno(&page_));
      streaming_ = true;
      ogg_stream_pagein(&stream_, &page_);
      while (ogg_stream_packetout(&stream_, &packet_) > 0) Decode();
    }
    return samples_;
  }

 private:
  bool NextPage() {
    for (;;) {
      const int result = ogg_sync_pageout(&sync_, &page_);
      if (result > 0) return true;
      if (result < 0) continue;
      if (position_ >= image_.size()) return false;
      const size_t count = std::min<size_t>(1024, image_.size() - position_);
      std::memcpy(ogg_sync_buffer(&sync_, static_cast<long>(count)), image_.data() + position_, count);
      ogg_sync_wrote(&sync_, static_cast<long>(count));
      position_ += count;
    }
  }

  void Decode() {
    if (headers_ < 3) {
      vorbis_synthesis_headerin(&info_, &comment_, &packet_);
      if (++headers_ == 3) {
        vorbis_synthesis_init(&dsp_, &info_);
        vorbis_block_init(&dsp_, &block_);
        started_ = true;
      }
      return;
    }
    if (vorbis_synthesis(&block_, &packet_) == 0) vorbis_synthesis_blockin(&dsp_, &block_);
    float** pcm;
    int frames;
    while ((frames = vorbis_synthesis_pcmout(&dsp_, &pcm)) > 0) {
      samples_ += static_cast<uint64_t>(frames) * info_.channels;
      vorbis_synthesis_read(&dsp_, frames);
    }
  }

  const std::string& image_;
  size_t position_ = 0;
  ogg_sync_state sync_;
  ogg_stream_state stream_;
  ogg_page page_;
  ogg_packet packet_;
  vorbis_info info_;
  vorbis_comment comment_;
  vorbis_dsp_state dsp_;
  vorbis_block block_;
  int headers_ = 0;
  bool streaming_ = false;
  bool started_ = false;
  uint64_t samples_ = 0;
};

}  // namespace

DecodeRun DecodeThroughExports(const std::string& image, uint32_t requestBytes) {
  // Room for the request and one decoded chunk: 4096 frames of up to 16 channels.
  std::vector<char> buffer(requestBytes + 4096 * 2 * 16);
  DecodeRun run;
  const Clock::time_point start = Clock::now();
  DecoderRecord record{};
  Rux2().RUX_Init(&record);
  Rux2().RUX_InputMemory(&record, const_cast<char*>(image.data()), static_cast<uint32_t>(image.size()), 0);
  if (Rux2().RUX_DetectConfigure(&record) == RUX_OK) {
    for (;;) {
      const uint32_t written = Rux2().RUX_GetProcessFrame(&record, buffer.data(), requestBytes);
      run.samples += written / 2;
      if (written == 0 && RuxActivePart(&record)->source.exhausted) break;
    }
  }
  Rux2().RUX_Close(&record);
  run.seconds = SecondsSince(start);
  return run;
}

DecodeRun OpenThroughExports(const std::string& image) {
  DecodeRun run;
  const Clock::time_point start = Clock::now();
  DecoderRecord record{};
  Rux2().RUX_Init(&record);
  Rux2().RUX_InputMemory(&record, const_cast<char*>(image.data()), static_cast<uint32_t>(image.size()), 0);
  Rux2().RUX_DetectConfigure(&record);
  Rux2().RUX_Close(&record);
  run.seconds = SecondsSince(start);
  return run;
}

DecodeRun DecodeWithOvRead(const std::string& image, ReadAllFunction readAll) {
  DecodeRun run;
  const Clock::time_point start = Clock::now();
  run.samples = readAll(&image);
  run.seconds = SecondsSince(start);
  return run;
}

DecodeRun SynthesisFloor(const std::string& image) {
  DecodeRun run;
  const Clock::time_point start = Clock::now();
  run.samples = Synthesis(image).Run();
  run.seconds = SecondsSince(start);
  return run;
}
