// ProbeMemoryFormat through vorbisfile over a seekable view of the image, so that the total length
// is known: the image is all there, and an unseekable open could not total it.
#include "format_probe.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

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

}  // namespace

void ProbeMemoryFormat(const void* image, uint32_t size, StreamHeader& header) {
  MemoryView view{static_cast<const unsigned char*>(image), image ? size : 0, 0};
  const ov_callbacks callbacks{ReadView, SeekView, nullptr, TellView};
  OggVorbis_File file;
  if (ov_open_callbacks(&view, &file, nullptr, 0, callbacks) != 0) return;
  const vorbis_info* info = ov_info(&file, -1);
  SetPcmFormat(header, info->channels, info->rate);
  // The low 32 bits of the total over all links, as the field has always held.
  const ogg_int64_t total = ov_pcm_total(&file, -1);
  header.pcmLength = total < 0 ? 0 : static_cast<int32_t>(total);
  ov_clear(&file);
}
