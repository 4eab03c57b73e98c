// PlayActivePart: requests of 64 KiB into a buffer with the room the library's buffer rule asks for.
#include "seams/part_playback.h"

#include <vector>

#include "system/stop_request.h"

namespace {

constexpr uint32_t kRequestBytes = 65536;
// A call may overshoot its request by one decoded chunk, at most this many frames.
constexpr uint32_t kMaxChunkFrames = 4096;

}  // namespace

size_t PlayActivePart(const Rux2Exports& rux, DecoderRecord& record, int channels, const PcmSink& sink,
                      size_t enough) {
  std::vector<char> buffer(kRequestBytes + kMaxChunkFrames * 2 * channels);
  size_t bytes = 0;
  while (!StopRequested() && bytes / (2 * channels) < enough) {
    const uint32_t written = rux.RUX_GetProcessFrame(&record, buffer.data(), kRequestBytes);
    sink(buffer.data(), written);
    bytes += written;
    if (written == 0 && RuxActivePart(&record)->source.exhausted) break;
  }
  return bytes / (2 * channels);
}
