// ReadFuzzInput and WriteFuzzInput: a flag byte, the split point, four request lengths.
#include "fuzz_input.h"

namespace {

enum Flag : uint8_t {
  kTwoPart = 1,
  kResealPages = 2,
  kCloseCoderFirst = 4,
  kFreeOnClose = 8,
  kReplayShift = 4,  // two bits
};

uint8_t LengthCode(uint32_t length) {
  if (length < 16) return static_cast<uint8_t>(length);
  if (length < 128 * 64) return static_cast<uint8_t>(length / 64);
  return static_cast<uint8_t>(128 + length / 1024);
}

}  // namespace

uint32_t RequestLength(uint8_t code) {
  if (code < 16) return code;
  if (code < 128) return code * 64u;
  return (code - 128u) * 1024u;
}

FuzzInput ReadFuzzInput(const uint8_t* data, size_t size) {
  FuzzInput input;
  uint8_t control[kControlBytes] = {};
  for (size_t i = 0; i < kControlBytes && i < size; ++i) control[i] = data[i];
  input.twoPart = control[0] & kTwoPart;
  input.resealPages = control[0] & kResealPages;
  input.closeCoderFirst = control[0] & kCloseCoderFirst;
  input.freeOnClose = control[0] & kFreeOnClose;
  input.replays = (control[0] >> kReplayShift) & 3;
  input.splitAt = static_cast<uint16_t>(control[1] << 8 | control[2]);
  for (size_t i = 3; i < kControlBytes; ++i) input.lengths.push_back(RequestLength(control[i]));
  if (size > kControlBytes)
    input.stream.assign(reinterpret_cast<const char*>(data) + kControlBytes, size - kControlBytes);
  return input;
}

std::string WriteFuzzInput(const FuzzInput& input) {
  std::string bytes;
  bytes += static_cast<char>((input.twoPart ? kTwoPart : 0) | (input.resealPages ? kResealPages : 0) |
                             (input.closeCoderFirst ? kCloseCoderFirst : 0) |
                             (input.freeOnClose ? kFreeOnClose : 0) | (input.replays & 3) << kReplayShift);
  bytes += static_cast<char>(input.splitAt >> 8);
  bytes += static_cast<char>(input.splitAt & 0xFF);
  for (size_t i = 0; i < kControlBytes - 3; ++i) {
    bytes += static_cast<char>(LengthCode(i < input.lengths.size() ? input.lengths[i] : 4096));
  }
  return bytes + input.stream;
}
