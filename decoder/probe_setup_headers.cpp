// ProbeSetupHeadersWithinLimits: the stream and header packets that vorbisfile 1.3.7 chooses when
// it opens an image (_fetch_headers), found the same way, each walked before vorbisfile sees it.
#include "probe_setup_headers.h"

#include <ogg/ogg.h>
#include <vorbis/codec.h>

#include "image_feed.h"
#include "setup_header_limits.h"

namespace {

class HeaderSearch {
 public:
  HeaderSearch() {
    ogg_sync_init(&sync_);
    ogg_stream_init(&stream_, 0);
  }
  ~HeaderSearch() {
    ogg_stream_clear(&stream_);
    ogg_sync_clear(&sync_);
  }
  HeaderSearch(const HeaderSearch&) = delete;
  HeaderSearch& operator=(const HeaderSearch&) = delete;

  bool WithinLimits(const unsigned char* bytes, uint32_t size) {
    ogg_page page;
    uint32_t fed = 0;
    for (;;) {
      const int result = ogg_sync_pageout(&sync_, &page);
      if (result < 0) continue;
      if (result == 0) {
        if (!FeedImageStep(sync_, bytes, size, fed)) return true;
        continue;
      }
      if (!chosen_) {
        if (!ChooseStream(page)) return true;
      } else if (ogg_page_serialno(&page) == stream_.serialno) {
        ogg_stream_pagein(&stream_, &page);
      }
      const Verdict verdict = WalkHeaders();
      if (verdict != Verdict::kNeedMore) return verdict == Verdict::kWithin;
    }
  }

 private:
  enum class Verdict { kWithin, kBeyond, kNeedMore };

  // Among the leading beginning-of-stream pages, the first whose packet is a Vorbis identification
  // header. False once there is none to be found: vorbisfile then opens nothing.
  bool ChooseStream(ogg_page& page) {
    if (!ogg_page_bos(&page)) return false;
    ogg_stream_reset_serialno(&stream_, ogg_page_serialno(&page));
    ogg_stream_pagein(&stream_, &page);
    ogg_packet packet;
    chosen_ = ogg_stream_packetout(&stream_, &packet) > 0 && vorbis_synthesis_idheader(&packet);
    return true;
  }

  // The two packets after the identification header: the comment and setup headers.
  Verdict WalkHeaders() {
    ogg_packet packet;
    while (chosen_ && walked_ < 2) {
      const int result = ogg_stream_packetout(&stream_, &packet);
      if (result == 0) return Verdict::kNeedMore;
      // vorbisfile gives up at a gap.
      if (result < 0) return Verdict::kWithin;
      if (!SetupHeaderWithinLimits(packet.packet, packet.bytes)) return Verdict::kBeyond;
      ++walked_;
    }
    return chosen_ ? Verdict::kWithin : Verdict::kNeedMore;
  }

  ogg_sync_state sync_;
  ogg_stream_state stream_;
  bool chosen_ = false;
  int walked_ = 0;
};

}  // namespace

bool ProbeSetupHeadersWithinLimits(const unsigned char* bytes, uint32_t size) {
  return !bytes || HeaderSearch().WithinLimits(bytes, size);
}
