// FeedInput: the step that hands the next bytes of the active part to the Ogg sync layer.
#pragma once

#include <cstdint>

#include "decoder_record.h"

// Bytes handed over per step; one frame call feeds at most one step.
constexpr uint32_t kFeedStep = 1024;

// Hands at most kFeedStep bytes of the active part to the sync layer and returns their count; 0,
// with exhausted set, once the part has nothing more.
uint32_t FeedInput(DecoderRecord& record);
