// LiveRecordLife: detection, the plays with their replays, and the close, each result checked.
#include "record_life.h"

#include <algorithm>

#include "rux2_under_test.h"

namespace {

constexpr unsigned char kUnwritten = 0xA5;
// A call may write its request plus one decoded chunk of at most this many frames.
constexpr uint32_t kMaxChunkFrames = 4096;

// The bound on frame calls per play for a stream of this many bytes: every call that returns
// nothing has fed a step or finished a page, and every other one consumed a packet.
uint64_t CallLimit(uint64_t streamBytes) { return 64 + streamBytes + streamBytes / 1024; }

bool IsDetectionCode(int result) { return result <= RUX_OK && result >= RUX_HEADERS_DAMAGED; }

class Life {
 public:
  Life(DecoderRecord& record, uint64_t streamBytes, const LifePlan& plan)
      : record_(record), callLimit_(CallLimit(streamBytes)), plan_(plan) {}

  LifeOutcome Live() {
    outcome_.detection = Rux2().RUX_DetectConfigure(&record_);
    if (!IsDetectionCode(outcome_.detection)) {
      Violate("detection returned " + std::to_string(outcome_.detection));
    } else if (outcome_.detection == RUX_OK) {
      PlayAndReplay();
    } else {
      ExpectSilence();
    }
    if (plan_.closeCoderFirst) Rux2().RUX_CloseCoder(&record_);
    Rux2().RUX_Close(&record_);
    return outcome_;
  }

 private:
  void PlayAndReplay() {
    for (int play = 0; play <= plan_.replays && outcome_.violation.empty(); ++play) {
      if (play > 0) Rux2().RUX_Replay(&record_);
      Play();
    }
  }

  // Frames until the active part has ended: exhausted, and a call that returned nothing.
  void Play() {
    const WAVEFORMATEX format = *Rux2().RUX_GetPcmFormat(&record_);
    if (format.nChannels == 0 || format.nBlockAlign != 2 * format.nChannels || format.wBitsPerSample != 16) {
      return Violate("a decoded part reports " + std::to_string(format.nChannels) +
                     " channels, block align " + std::to_string(format.nBlockAlign));
    }
    const uint32_t frameBytes = format.nBlockAlign;
    const uint32_t maxChunk = kMaxChunkFrames * frameBytes;
    std::vector<unsigned char> buffer(
        *std::max_element(plan_.lengths.begin(), plan_.lengths.end()) + maxChunk, kUnwritten);
    std::string pcm;
    uint64_t delivered = 0;
    for (uint64_t call = 0; call < callLimit_; ++call) {
      const uint32_t length = plan_.lengths[call % plan_.lengths.size()];
      const uint32_t written = Rux2().RUX_GetProcessFrame(&record_, buffer.data(), length);
      if (written > length + maxChunk || written % frameBytes != 0) {
        return Violate("a call for " + std::to_string(length) + " bytes wrote " + std::to_string(written));
      }
      const auto end = buffer.begin() + written;
      if (std::any_of(end, buffer.end(), [](unsigned char byte) { return byte != kUnwritten; })) {
        return Violate("a call wrote past the " + std::to_string(written) + " bytes it returned");
      }
      if (plan_.keepPcm) pcm.append(reinterpret_cast<const char*>(buffer.data()), written);
      std::fill(buffer.begin(), end, kUnwritten);
      delivered += written;
      if ((written == 0 && RuxActivePart(&record_)->source.exhausted) || delivered >= plan_.pcmLimit) {
        outcome_.plays.push_back(std::move(pcm));
        return;
      }
    }
    Violate("a play did not end within " + std::to_string(callLimit_) + " calls");
  }

  // After a failed detection: no frames, and replays change nothing.
  void ExpectSilence() {
    std::vector<unsigned char> buffer(4096 + kMaxChunkFrames * 2 * 255);
    for (int call = 0; call < 3; ++call) {
      if (Rux2().RUX_GetProcessFrame(&record_, buffer.data(), 4096) != 0) {
        return Violate("frames after detection failed with " + std::to_string(outcome_.detection));
      }
      Rux2().RUX_Replay(&record_);
    }
    if (!RuxActivePart(&record_)->source.exhausted) Violate("a failed record does not read as ended");
  }

  void Violate(const std::string& what) { outcome_.violation = what; }

  DecoderRecord& record_;
  const uint64_t callLimit_;
  const LifePlan& plan_;
  LifeOutcome outcome_;
};

}  // namespace

LifeOutcome LiveRecordLife(DecoderRecord& record, uint64_t streamBytes, const LifePlan& plan) {
  return Life(record, streamBytes, plan).Live();
}
