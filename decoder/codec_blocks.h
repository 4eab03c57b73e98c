// The record's eight libogg and libvorbis state blocks, seen with their types, and their memory.
#pragma once

#include <ogg/ogg.h>
#include <vorbis/codec.h>

#include "decoder_record.h"

struct CodecBlocks {
  ogg_sync_state* sync;
  ogg_page* page;
  ogg_stream_state* stream;
  ogg_packet* packet;
  vorbis_info* info;
  vorbis_comment* comment;
  vorbis_dsp_state* dsp;
  vorbis_block* block;
};

CodecBlocks CodecBlocksOf(const DecoderRecord& record);

// Allocates the eight blocks from the local heap. If one allocation fails none is kept, so the
// record simply has no blocks and decodes nothing.
void AllocateCodecBlocks(DecoderRecord& record);
bool HasCodecBlocks(const DecoderRecord& record);
// Frees the blocks there are and clears their pointers.
void FreeCodecBlocks(DecoderRecord& record);
