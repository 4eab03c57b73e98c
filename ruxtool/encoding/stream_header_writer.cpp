// StreamHeaderBytes: an RX2A header is the record's StreamHeader byte for byte; a RUX header holds its
// first 16 bytes and its format block.
#include "encoding/stream_header_writer.h"

#include <cstring>

#include "rux2.h"

namespace {

constexpr size_t kRuxHeaderSize = 36;
constexpr size_t kRuxFirstBytes = 16;
constexpr size_t kFormatBytes = 18;

StreamHeader HeaderFor(const HeaderChoice& choice, int32_t frames, int channels, long rate) {
  StreamHeader header;
  std::memset(&header, 0, sizeof header);
  std::memcpy(&header.magic, choice.kind == HeaderChoice::Kind::kRux ? "RUX\0" : "RX2A", 4);
  header.headerValue1 = choice.value1;
  header.pcmLength = frames;
  header.headerValue3 = choice.value3;
  if (choice.kind == HeaderChoice::Kind::kRx2a) std::memcpy(header.headerExtra, choice.extra, sizeof choice.extra);
  header.formatTag = WAVE_FORMAT_PCM;
  header.channels = static_cast<uint16_t>(channels);
  header.samplesPerSec = static_cast<uint32_t>(rate);
  header.blockAlign = static_cast<uint16_t>(2 * channels);
  header.avgBytesPerSec = header.blockAlign * header.samplesPerSec;
  header.bitsPerSample = 16;
  header.extraSize = 16;
  return header;
}

}  // namespace

std::string StreamHeaderBytes(const HeaderChoice& choice, int32_t frames, int channels, long rate) {
  if (choice.kind == HeaderChoice::Kind::kNone) return {};
  const StreamHeader header = HeaderFor(choice, frames, channels, rate);
  const char* bytes = reinterpret_cast<const char*>(&header);
  if (choice.kind == HeaderChoice::Kind::kRx2a) return std::string(bytes, sizeof header);
  std::string rux(bytes, kRuxFirstBytes);
  rux.append(reinterpret_cast<const char*>(&header.formatTag), kFormatBytes);
  rux.resize(kRuxHeaderSize, '\0');
  return rux;
}
