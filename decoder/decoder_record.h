// The decoder record as the library sees it: its fixed layout, the preparation stages kept in
// decoderReady, and the active part.
#pragma once

#include <cstddef>

#include "rux2.h"

// The header block and its format have one layout everywhere.
static_assert(sizeof(StreamHeader) == 52);
static_assert(offsetof(StreamHeader, magic) == 0);
static_assert(offsetof(StreamHeader, headerValue1) == 4);
static_assert(offsetof(StreamHeader, pcmLength) == 8);
static_assert(offsetof(StreamHeader, headerValue3) == 12);
static_assert(offsetof(StreamHeader, headerExtra) == 16);
static_assert(offsetof(StreamHeader, formatTag) == 32);
static_assert(offsetof(StreamHeader, channels) == 34);
static_assert(offsetof(StreamHeader, samplesPerSec) == 36);
static_assert(offsetof(StreamHeader, avgBytesPerSec) == 40);
static_assert(offsetof(StreamHeader, blockAlign) == 44);
static_assert(offsetof(StreamHeader, bitsPerSample) == 46);
static_assert(offsetof(StreamHeader, extraSize) == 48);
static_assert(offsetof(StreamHeader, reserved) == 50);

// RUX_GetPcmFormat hands out position 32 of a header as a WAVEFORMATEX.
static_assert(sizeof(WAVEFORMATEX) == 18);
static_assert(offsetof(StreamHeader, channels) - offsetof(StreamHeader, formatTag) ==
              offsetof(WAVEFORMATEX, nChannels));
static_assert(offsetof(StreamHeader, samplesPerSec) - offsetof(StreamHeader, formatTag) ==
              offsetof(WAVEFORMATEX, nSamplesPerSec));
static_assert(offsetof(StreamHeader, avgBytesPerSec) - offsetof(StreamHeader, formatTag) ==
              offsetof(WAVEFORMATEX, nAvgBytesPerSec));
static_assert(offsetof(StreamHeader, blockAlign) - offsetof(StreamHeader, formatTag) ==
              offsetof(WAVEFORMATEX, nBlockAlign));
static_assert(offsetof(StreamHeader, bitsPerSample) - offsetof(StreamHeader, formatTag) ==
              offsetof(WAVEFORMATEX, wBitsPerSample));
static_assert(offsetof(StreamHeader, extraSize) - offsetof(StreamHeader, formatTag) ==
              offsetof(WAVEFORMATEX, cbSize));

// The engine allocates the record and reads it by offset: in the 32-bit library every position is
// part of the interface. The 64-bit host build, which only tests and measures the decoder, has wider
// pointers and so a layout of its own.
#ifdef _WIN32
static_assert(sizeof(void*) == 4, "rux2 is a 32-bit library");
static_assert(sizeof(SourceSlot) == 28);
static_assert(offsetof(SourceSlot, freeOnClose) == 0);
static_assert(offsetof(SourceSlot, memoryImage) == 4);
static_assert(offsetof(SourceSlot, dataStart) == 8);
static_assert(offsetof(SourceSlot, dataLimit) == 12);
static_assert(offsetof(SourceSlot, readPos) == 16);
static_assert(offsetof(SourceSlot, exhausted) == 20);
static_assert(offsetof(SourceSlot, fileSource) == 24);

static_assert(sizeof(StreamPart) == 80);
static_assert(sizeof(DecoderRecord) == 212);
static_assert(offsetof(DecoderRecord, decoderReady) == 0);
static_assert(offsetof(DecoderRecord, syncState) == 4);
static_assert(offsetof(DecoderRecord, page) == 8);
static_assert(offsetof(DecoderRecord, streamState) == 12);
static_assert(offsetof(DecoderRecord, packet) == 16);
static_assert(offsetof(DecoderRecord, vorbisInfo) == 20);
static_assert(offsetof(DecoderRecord, vorbisComment) == 24);
static_assert(offsetof(DecoderRecord, dspState) == 28);
static_assert(offsetof(DecoderRecord, block) == 32);
static_assert(offsetof(DecoderRecord, part[0].source) == 36);
static_assert(offsetof(DecoderRecord, part[0].header) == 64);
static_assert(offsetof(DecoderRecord, part[1].source) == 116);
static_assert(offsetof(DecoderRecord, part[1].header) == 144);
static_assert(offsetof(DecoderRecord, twoPart) == 196);
static_assert(offsetof(DecoderRecord, loopPartActive) == 200);
static_assert(offsetof(DecoderRecord, lastSyncBuffer) == 204);
static_assert(offsetof(DecoderRecord, resumePending) == 208);
#endif

// How far header detection has prepared the decoder, kept in decoderReady so that closing and
// replaying release exactly what exists. A ready decoder reads 1, as the engine has always seen it;
// the other stages are nonzero too, because detection has begun.
enum DecoderStage : uint32_t {
  kNotPrepared = 0,
  kDecoderReady = 1,    // stream, info, comment, synthesis and block are live
  kDetectionBegun = 2,  // bytes fed, nothing prepared
  kHeadersOpen = 3,     // stream, info and comment are live; synthesis and block are not
};

inline StreamPart& ActivePart(DecoderRecord& record) { return *RuxActivePart(&record); }
