// The "RUX" and "RX2A" stream headers: recognising them, copying them into a part's StreamHeader,
// the format of a stream without one, and the format once the Vorbis headers are known.
#pragma once

#include <cstdint>

#include "decoder_record.h"

enum class HeaderKind { kNone, kRux, kRx2a };

constexpr uint32_t kMagicSize = 4;
constexpr uint32_t kRuxHeaderSize = 36;
constexpr uint32_t kRx2aHeaderSize = 52;

// Looks at the first four bytes of a stream; fewer than four available bytes hold no header.
HeaderKind RecognizeHeader(const unsigned char* bytes, uint32_t available);
// The bytes the header occupies before the Ogg data: 0 without a header.
uint32_t HeaderSize(HeaderKind kind);
// Clears the StreamHeader and copies a recognised header into it, as far as the available bytes go.
void CopyHeader(HeaderKind kind, const unsigned char* bytes, uint32_t available, StreamHeader& header);
// No header: 16-bit stereo PCM at 44100 Hz, length 0.
void SetDefaultFormat(StreamHeader& header);
// Sets the channel count and rate of 16-bit PCM, keeping the header's other fields.
void SetPcmFormat(StreamHeader& header, int channels, long rate);
