// The setup header the format probe's vorbisfile open would parse, checked before it may.
#pragma once

#include <cstdint>

// False when the Vorbis stream that vorbisfile picks from the image (the first beginning-of-stream
// page carrying an identification header) has a setup header whose codebooks break the limits of
// setup_header_limits.h. True otherwise, also when vorbisfile would find no such stream.
bool ProbeSetupHeadersWithinLimits(const unsigned char* bytes, uint32_t size);
