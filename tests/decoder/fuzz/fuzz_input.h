// How the fuzz target reads its input: seven control bytes, then the bytes of the stream. The seeds
// are written in the same layout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct FuzzInput {
  bool twoPart = false;           // RUX_InputMemory2, the stream split in two at splitAt
  bool resealPages = false;       // page checksums made right, so that damage reaches the codec
  bool closeCoderFirst = false;   // RUX_CloseCoder before RUX_Close
  bool freeOnClose = false;       // the images handed over, for the library to free
  int replays = 0;                // 0 to 3
  uint16_t splitAt = 0;           // where the loop part begins, in 65536ths of the stream
  std::vector<uint32_t> lengths;  // requested in turn
  std::string stream;
};

constexpr size_t kControlBytes = 7;

FuzzInput ReadFuzzInput(const uint8_t* data, size_t size);
std::string WriteFuzzInput(const FuzzInput& input);

// The request length a control byte stands for: small lengths, multiples of 64 up to 8 KiB, and
// multiples of 1 KiB up to 127 KiB.
uint32_t RequestLength(uint8_t code);
