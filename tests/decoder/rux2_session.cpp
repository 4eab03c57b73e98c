// Rux2Session over the table of exports.
#include "rux2_session.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr unsigned char kUnwritten = 0xA5;
constexpr uint32_t kGuardBytes = 64;
constexpr size_t kCallLimit = 10000000;

}  // namespace

Rux2Session::Rux2Session() { Rux2().RUX_Init(&record_); }

Rux2Session::~Rux2Session() { Rux2().RUX_Close(&record_); }

void Rux2Session::InputMemory(const std::string& image) {
  Rux2().RUX_InputMemory(&record_, const_cast<char*>(image.data()), static_cast<uint32_t>(image.size()), 0);
}

void Rux2Session::InputFile(const std::string& path, uint32_t offset, uint32_t size) {
  Rux2().RUX_InputFile(&record_, path.c_str(), offset, size);
}

int Rux2Session::Detect() { return Rux2().RUX_DetectConfigure(&record_); }

WAVEFORMATEX Rux2Session::Format() { return *Rux2().RUX_GetPcmFormat(&record_); }

int32_t Rux2Session::Length() {
  int32_t length = -1;
  EXPECT_EQ(Rux2().RUX_GetPcmLength(&record_, &length), 0);
  return length;
}

void Rux2Session::Replay() { EXPECT_EQ(Rux2().RUX_Replay(&record_), 0); }

std::string Rux2Session::DecodeToEnd(const std::vector<uint32_t>& lengths) {
  const uint32_t maxChunk = kMaxChunkFrames * 2 * Format().nChannels;
  std::vector<unsigned char> buffer(
      *std::max_element(lengths.begin(), lengths.end()) + maxChunk + kGuardBytes, kUnwritten);
  std::string pcm;
  for (size_t call = 0; call < kCallLimit; ++call) {
    const uint32_t length = lengths[call % lengths.size()];
    const uint32_t written = Rux2().RUX_GetProcessFrame(&record_, buffer.data(), length);
    if (written > length + maxChunk) {
      ADD_FAILURE() << "call " << call << " wrote " << written << " bytes for a request of " << length;
      return pcm;
    }
    const auto guard = buffer.begin() + written;
    if (std::any_of(guard, guard + kGuardBytes, [](unsigned char byte) { return byte != kUnwritten; })) {
      ADD_FAILURE() << "call " << call << " wrote past the " << written << " bytes it returned";
      return pcm;
    }
    pcm.append(reinterpret_cast<const char*>(buffer.data()), written);
    std::fill(buffer.begin(), guard, kUnwritten);
    if (written == 0 && RuxActivePart(&record_)->source.exhausted) return pcm;
  }
  ADD_FAILURE() << "the active part never ended";
  return pcm;
}
