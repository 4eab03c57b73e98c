// A loop's seams three ways: as make encodes its parts, as each part encoded on its own plays, and
// as one uncut stream of the same playback (the introduction, then the loop twice) plays there.
#pragma once

#include <string>
#include <vector>

#include "encoding/vorbis_packet_encoder.h"
#include "seam_cases.h"
#include "seams/seam_check.h"

// The stream played once through the exports: interleaved samples within -1..1, as the library
// delivers them in 16 bits; empty when it cannot be played.
std::vector<float> PlayedOnce(const std::string& stream, int channels);

SeamCheck MadeSeams(const SeamCase& seamCase);
// Each part encoded alone, as if silence came before and after it.
SeamCheck SplitSeams(const SeamCase& seamCase);
// Each of the check's seams as the uncut stream plays there; empty when it does not decode whole.
std::vector<SeamError> UncutSeams(const SeamCase& seamCase, const SeamCheck& check);
