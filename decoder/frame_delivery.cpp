// DeliverFrames: the page, packet and drain loops over libogg and libvorbis.
#include "frame_delivery.h"

#include "codec_blocks.h"
#include "feed_input.h"
#include "sample_conversion.h"

namespace {

class FrameDelivery {
 public:
  FrameDelivery(DecoderRecord& record, void* buffer, uint32_t length)
      : record_(record),
        blocks_(CodecBlocksOf(record)),
        output_(static_cast<unsigned char*>(buffer)),
        length_(length) {}

  uint32_t Run() {
    // The last call stopped inside a page: finish it first.
    if (record_.resumePending) {
      record_.resumePending = 0;
      if (DrainDecoded() || DecodePage()) return written_;
    }
    while (NextPage()) {
      if (DecodePage()) return written_;
    }
    return written_;
  }

 private:
  // Submits the next complete page; false at the end of the stream, or after one feed step once the
  // buffered pages have run out.
  bool NextPage() {
    if (endOfStreamSeen_) return false;
    for (;;) {
      const int result = ogg_sync_pageout(blocks_.sync, blocks_.page);
      if (result == 0) {
        FeedInput(record_);
        return false;
      }
      if (result > 0) break;
    }
    ogg_stream_pagein(blocks_.stream, blocks_.page);
    return true;
  }

  // Decodes the current page's packets; true when the buffer is full.
  bool DecodePage() {
    for (;;) {
      const int result = ogg_stream_packetout(blocks_.stream, blocks_.packet);
      if (result == 0) {
        if (ogg_page_eos(blocks_.page)) endOfStreamSeen_ = true;
        return false;
      }
      if (result < 0) continue;
      if (vorbis_synthesis(blocks_.block, blocks_.packet) == 0) {
        vorbis_synthesis_blockin(blocks_.dsp, blocks_.block);
      }
      if (DrainDecoded()) return true;
    }
  }

  // Writes every decoded chunk; true, with resumePending set, once length is reached.
  bool DrainDecoded() {
    float** pcm = nullptr;
    int frames;
    while ((frames = vorbis_synthesis_pcmout(blocks_.dsp, &pcm)) > 0) {
      WriteChunk(pcm, frames);
      vorbis_synthesis_read(blocks_.dsp, frames);
      if (written_ >= length_) {
        record_.resumePending = 1;
        return true;
      }
    }
    return false;
  }

  // Interleaves the chunk straight into the caller's buffer.
  void WriteChunk(float** pcm, int frames) {
    const int channels = blocks_.info->channels;
    WriteInterleaved(pcm, channels, frames, output_ + written_);
    written_ += 2 * channels * frames;
  }

  DecoderRecord& record_;
  const CodecBlocks blocks_;
  unsigned char* const output_;
  const uint32_t length_;
  uint32_t written_ = 0;
  bool endOfStreamSeen_ = false;
};

}  // namespace

uint32_t DeliverFrames(DecoderRecord& record, void* buffer, uint32_t length) {
  // The engine sized its buffer for the channels the first part reported after detection: a loop part
  // with other channels would write chunks of another size.
  const bool keepsChannels = record.decoderReady == kDecoderReady &&
                             CodecBlocksOf(record).info->channels == record.part[0].header.channels;
  if (!keepsChannels) {
    // Nothing will come until the record is detected again, bound again or closed: the part reads
    // as ended.
    ActivePart(record).source.exhausted = 1;
    return 0;
  }
  return FrameDelivery(record, buffer, length).Run();
}
