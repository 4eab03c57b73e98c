// A memory image handed to an Ogg sync layer in large steps, for the format probe's own page walks.
#pragma once

#include <ogg/ogg.h>

#include <cstdint>

// Hands the sync layer the next step of the image from fed on and advances fed; false when the image
// is used up or the layer cannot take more.
bool FeedImageStep(ogg_sync_state& sync, const unsigned char* bytes, uint32_t size, uint32_t& fed);
