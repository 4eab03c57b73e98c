// Frame delivery: decoding the pages already buffered into the caller's buffer as 16-bit PCM.
#pragma once

#include <cstdint>

#include "decoder_record.h"

// Writes interleaved 16-bit samples into buffer and returns the bytes written. Stops after the
// decoded chunk that reaches length (so it may overshoot by one chunk), after the stream's last
// page, or after feeding one step once the buffered pages run out. A record whose decoder is not
// ready, or whose loop part has other channels than the first part reported, delivers nothing and
// marks its active part exhausted.
uint32_t DeliverFrames(DecoderRecord& record, void* buffer, uint32_t length);
