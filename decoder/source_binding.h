// Binding a record to its stream: the four input functions.
#pragma once

#include <cstdint>

#include "decoder_record.h"

// Every binding first ends an earlier one, with or without RUX_CloseCoder before it: its decoder is
// released, its file sources destroyed and the images handed over with it freed (unless bound
// again), so that the record reads only its new stream and nothing of the old one is lost.
void BindMemory(DecoderRecord& record, void* image, uint32_t size, int freeOnClose);
void BindFile(DecoderRecord& record, const char* fileName, uint32_t offset, uint32_t size);
void BindMemoryPair(DecoderRecord& record, void* introImage, uint32_t introSize, void* loopImage,
                    uint32_t loopSize, int freeOnClose);
void BindFilePair(DecoderRecord& record, const char* introFileName, const char* loopFileName);
