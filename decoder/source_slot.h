// A part's source: positioning it, reading it, and releasing what the library owns of it.
#pragma once

#include <cstdint>

#include "decoder_record.h"

// The data begins headerSize bytes after base and ends before dataLimit.
void PositionSource(SourceSlot& source, uint32_t base, uint32_t headerSize, uint32_t dataLimit);
void RewindSource(SourceSlot& source);
// Copies up to count bytes from readPos, from the file source if there is one, else from the memory
// image. A slot with neither reads nothing. Returns the bytes copied; readPos does not move.
uint32_t ReadSource(const SourceSlot& source, void* target, uint32_t count);

// Frees the images passed with freeOnClose, first part then loop part, each once.
void FreeOwnedImages(DecoderRecord& record);
// Destroys the file sources, first part then loop part, stopping their reader threads; a source
// whose thread cannot be waited for is detached and left to it. Throws nothing.
void DestroyFileSources(DecoderRecord& record);
