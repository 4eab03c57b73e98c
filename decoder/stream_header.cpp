// Header recognition and copying, the default format and the 16-bit PCM format.
#include "stream_header.h"

#include <algorithm>
#include <cstring>

namespace {

// A RUX header's bytes 16 to 33 are the format block, which the StreamHeader keeps at 32.
constexpr uint32_t kRuxValuesSize = 16;
constexpr uint32_t kRuxFormatSize = 18;
constexpr uint32_t kFormatPosition = 32;

// Copies bytes from..from+count of source to target, as far as the available bytes reach.
void CopyAvailable(unsigned char* target, const unsigned char* source, uint32_t from, uint32_t count,
                   uint32_t available) {
  if (available <= from) return;
  std::memcpy(target, source + from, std::min(count, available - from));
}

}  // namespace

HeaderKind RecognizeHeader(const unsigned char* bytes, uint32_t available) {
  // Fewer than four bytes hold no magic to look at.
  if (available < kMagicSize || bytes[0] != 'R') return HeaderKind::kNone;
  // The fourth byte of a RUX header is free.
  if (bytes[1] == 'U') return bytes[2] == 'X' ? HeaderKind::kRux : HeaderKind::kNone;
  if (bytes[1] == 'X') return bytes[2] == '2' && bytes[3] == 'A' ? HeaderKind::kRx2a : HeaderKind::kNone;
  return HeaderKind::kNone;
}

uint32_t HeaderSize(HeaderKind kind) {
  switch (kind) {
    case HeaderKind::kRux:
      return kRuxHeaderSize;
    case HeaderKind::kRx2a:
      return kRx2aHeaderSize;
    case HeaderKind::kNone:
      break;
  }
  return 0;
}

void CopyHeader(HeaderKind kind, const unsigned char* bytes, uint32_t available, StreamHeader& header) {
  std::memset(&header, 0, sizeof header);
  auto* target = reinterpret_cast<unsigned char*>(&header);
  if (kind == HeaderKind::kRx2a) {
    CopyAvailable(target, bytes, 0, kRx2aHeaderSize, available);
  } else if (kind == HeaderKind::kRux) {
    CopyAvailable(target, bytes, 0, kRuxValuesSize, available);
    CopyAvailable(target + kFormatPosition, bytes, kRuxValuesSize, kRuxFormatSize, available);
  }
}

void SetDefaultFormat(StreamHeader& header) {
  std::memset(&header, 0, sizeof header);
  header.formatTag = WAVE_FORMAT_PCM;
  header.bitsPerSample = 16;
  header.extraSize = 16;
  SetPcmFormat(header, 2, 44100);
}

void SetPcmFormat(StreamHeader& header, int channels, long rate) {
  header.channels = static_cast<uint16_t>(channels);
  header.samplesPerSec = static_cast<uint32_t>(rate);
  header.bitsPerSample = 16;
  header.blockAlign = static_cast<uint16_t>(2 * header.channels);
  header.avgBytesPerSec = header.blockAlign * header.samplesPerSec;
}
