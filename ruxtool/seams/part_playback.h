// The active part of a bound and detected record played to its end, requesting frames as the engine
// does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "rux2_library/rux2_exports.h"

// Receives the bytes of 16-bit PCM each call delivers.
using PcmSink = std::function<void(const char* pcm, size_t bytes)>;

// Calls RUX_GetProcessFrame until the part has ended (exhausted, and a call that delivered nothing), or
// until it has delivered enough frames; returns the frames delivered, which may pass enough by a call's.
size_t PlayActivePart(const Rux2Exports& rux, DecoderRecord& record, int channels, const PcmSink& sink,
                      size_t enough = SIZE_MAX);
