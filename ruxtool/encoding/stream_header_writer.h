// The RUX and RX2A headers that may go before a stream's Ogg data, as rux2.dll reads them.
#pragma once

#include <cstdint>
#include <string>

struct HeaderChoice {
  enum class Kind { kNone, kRux, kRx2a };
  Kind kind = Kind::kNone;
  uint32_t value1 = 0;  // carried to the engine unchanged
  uint32_t value3 = 0;
  uint8_t extra[16] = {};  // RX2A only
};

// The header's bytes (none for Kind::kNone): the length in frames, and the format the library reports
// for the stream once its Vorbis headers are read, as it reports it for a stream without a header.
std::string StreamHeaderBytes(const HeaderChoice& choice, int32_t frames, int channels, long rate);
