// The format probe of a memory image without a header: its Vorbis headers and its length, read
// before any decoding.
#pragma once

#include <cstdint>

#include "decoder_record.h"

// Refines the channels, rate and pcmLength of a header already set to the default format, from the
// image's first logical stream: the one that plays. An image whose Vorbis headers cannot be read,
// or whose setup header declares codebooks beyond setup_header_limits.h, keeps the defaults.
void ProbeMemoryFormat(const void* image, uint32_t size, StreamHeader& header);
