// The life of a record: preparing it, restarting its stream, and closing it.
#pragma once

#include "decoder_record.h"

void InitRecord(DecoderRecord& record);
// Starts the stream again, switching a two-part stream to its loop part for good. Does nothing
// unless the decoder is ready: after a failed detection the record delivers nothing until it is
// detected again, bound again or closed.
void Restart(DecoderRecord& record);
// Releases the decoder state and the images the library owns; file sources and blocks stay.
void CloseCoder(DecoderRecord& record);
// Releases everything the library holds for the record. Safe to repeat.
void CloseRecord(DecoderRecord& record);
