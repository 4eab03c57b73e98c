// Binding a record to its stream: the four input functions.
#pragma once

#include <cstdint>

#include "decoder_record.h"

// Every binding first destroys the file sources of an earlier one, so that a record bound again
// after RUX_CloseCoder reads only its new stream.
void BindMemory(DecoderRecord& record, void* image, uint32_t size, int freeOnClose);
void BindFile(DecoderRecord& record, const char* fileName, uint32_t offset, uint32_t size);
void BindMemoryPair(DecoderRecord& record, void* introImage, uint32_t introSize, void* loopImage,
                    uint32_t loopSize, int freeOnClose);
void BindFilePair(DecoderRecord& record, const char* introFileName, const char* loopFileName);
