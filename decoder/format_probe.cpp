// ProbeMemoryFormat through vorbisfile over a seekable view of the image's first logical stream, so
// that its total length is known: the image is all there, and an unseekable open could not total it.
#include "format_probe.h"

#include <emmintrin.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "image_feed.h"
#include "probe_setup_headers.h"
#include "stream_header.h"

namespace {

struct MemoryView {
  const unsigned char* bytes;
  ogg_int64_t size;
  ogg_int64_t position;
};

size_t ReadView(void* target, size_t size, size_t count, void* source) {
  MemoryView& view = *static_cast<MemoryView*>(source);
  if (size == 0) return 0;
  const ogg_int64_t wanted = static_cast<ogg_int64_t>(size) * count;
  const size_t bytes = static_cast<size_t>(std::min(wanted, view.size - view.position));
  if (bytes) std::memcpy(target, view.bytes + view.position, bytes);
  view.position += bytes;
  return bytes / size;
}

int SeekView(void* source, ogg_int64_t offset, int origin) {
  MemoryView& view = *static_cast<MemoryView*>(source);
  const ogg_int64_t base = origin == SEEK_CUR ? view.position : origin == SEEK_END ? view.size : 0;
  if (base + offset < 0 || base + offset > view.size) return -1;
  view.position = base + offset;
  return 0;
}

long TellView(void* source) { return static_cast<long>(static_cast<MemoryView*>(source)->position); }

bool IsCapture(const unsigned char* bytes) { return std::memcmp(bytes, "OggS", 4) == 0; }

// Whether any page capture from position on, with room for a serial number after it, carries a serial
// number other than the given ones. Sixteen bytes at a time: this looks at every byte of the image.
bool MayHoldAnotherStream(const unsigned char* bytes, uint32_t size, uint32_t position,
                          const std::vector<long>& serials) {
  constexpr uint32_t kSerialEnd = 18;  // a page header's serial number ends here
  const auto otherSerial = [&](uint32_t at) {
    if (!IsCapture(bytes + at)) return false;
    ogg_page header{const_cast<unsigned char*>(bytes + at), kSerialEnd, nullptr, 0};
    return std::find(serials.begin(), serials.end(), ogg_page_serialno(&header)) == serials.end();
  };
  if (size < kSerialEnd) return false;
  const uint32_t last = size - kSerialEnd;
  const __m128i capital = _mm_set1_epi8('O');
  for (; position + 16 <= last + 1; position += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + position));
    for (unsigned hits = _mm_movemask_epi8(_mm_cmpeq_epi8(block, capital)); hits; hits &= hits - 1) {
      if (otherSerial(position + __builtin_ctz(hits))) return true;
    }
  }
  for (; position <= last; ++position) {
    if (otherSerial(position)) return true;
  }
  return false;
}

// Where the first logical stream ends: at the first page, after its beginning-of-stream pages, whose
// serial number is none of theirs. Only that stream plays; and over a chain whose later stream is
// damaged, libvorbisfile 1.3.7's seekable open loses memory (_bisect_forward_serialno). Checking every
// page's checksum would cost about 1 % of decoding the stream: after the beginning, the pages are
// read only when some capture there could belong to another stream.
uint32_t FirstStreamEnd(const unsigned char* bytes, uint32_t size) {
  ogg_sync_state sync;
  ogg_sync_init(&sync);
  ogg_page page;
  std::vector<long> serials;
  bool pastBeginning = false;
  uint32_t fed = 0, position = 0, end = size;
  for (;;) {
    const long result = ogg_sync_pageseek(&sync, &page);
    if (result < 0) {
      position += static_cast<uint32_t>(-result);
    } else if (result == 0) {
      if (!FeedImageStep(sync, bytes, size, fed)) break;
    } else {
      if (!pastBeginning && !ogg_page_bos(&page)) {
        pastBeginning = true;
        if (!MayHoldAnotherStream(bytes, size, position, serials)) break;
      }
      const long serial = ogg_page_serialno(&page);
      if (!pastBeginning) {
        serials.push_back(serial);
      } else if (std::find(serials.begin(), serials.end(), serial) == serials.end()) {
        end = position;
        break;
      }
      position += static_cast<uint32_t>(result);
    }
  }
  ogg_sync_clear(&sync);
  return end;
}

}  // namespace

void ProbeMemoryFormat(const void* image, uint32_t size, StreamHeader& header) {
  const auto* bytes = static_cast<const unsigned char*>(image);
  MemoryView view{bytes, image ? FirstStreamEnd(bytes, size) : 0, 0};
  if (!ProbeSetupHeadersWithinLimits(bytes, static_cast<uint32_t>(view.size))) return;
  const ov_callbacks callbacks{ReadView, SeekView, nullptr, TellView};
  OggVorbis_File file;
  if (ov_open_callbacks(&view, &file, nullptr, 0, callbacks) != 0) return;
  const vorbis_info* info = ov_info(&file, -1);
  SetPcmFormat(header, info->channels, info->rate);
  // The low 32 bits of the stream's total length, as the field has always held.
  const ogg_int64_t total = ov_pcm_total(&file, -1);
  header.pcmLength = total < 0 ? 0 : static_cast<int32_t>(total);
  ov_clear(&file);
}
