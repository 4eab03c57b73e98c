// Header detection: the three Vorbis headers of the active part, read into a prepared decoder.
#pragma once

#include "decoder_record.h"

// Releases any decoder state of an earlier detection and reads the active part from its beginning.
// Returns RUX_OK with the decoder ready and the active part's format refined, or a negative RUX_
// result with decoderReady saying how far preparation got.
int DetectHeaders(DecoderRecord& record);
