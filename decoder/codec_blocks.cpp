// Typed access to the record's state blocks, and their allocation from the local heap.
#include "codec_blocks.h"

#include <algorithm>
#include <iterator>

#include "kernel.h"

namespace {

struct BlockField {
  void* DecoderRecord::*field;
  size_t size;
};

constexpr BlockField kBlocks[] = {
    {&DecoderRecord::syncState, sizeof(ogg_sync_state)},
    {&DecoderRecord::page, sizeof(ogg_page)},
    {&DecoderRecord::streamState, sizeof(ogg_stream_state)},
    {&DecoderRecord::packet, sizeof(ogg_packet)},
    {&DecoderRecord::vorbisInfo, sizeof(vorbis_info)},
    {&DecoderRecord::vorbisComment, sizeof(vorbis_comment)},
    {&DecoderRecord::dspState, sizeof(vorbis_dsp_state)},
    {&DecoderRecord::block, sizeof(vorbis_block)},
};

// The order in which closing has always released them.
constexpr void* DecoderRecord::*kFreeOrder[] = {
    &DecoderRecord::packet,      &DecoderRecord::vorbisInfo, &DecoderRecord::vorbisComment,
    &DecoderRecord::dspState,    &DecoderRecord::block,      &DecoderRecord::page,
    &DecoderRecord::streamState, &DecoderRecord::syncState,
};

}  // namespace

CodecBlocks CodecBlocksOf(const DecoderRecord& record) {
  return {
      static_cast<ogg_sync_state*>(record.syncState),     static_cast<ogg_page*>(record.page),
      static_cast<ogg_stream_state*>(record.streamState), static_cast<ogg_packet*>(record.packet),
      static_cast<vorbis_info*>(record.vorbisInfo),       static_cast<vorbis_comment*>(record.vorbisComment),
      static_cast<vorbis_dsp_state*>(record.dspState),    static_cast<vorbis_block*>(record.block)};
}

void AllocateCodecBlocks(DecoderRecord& record) {
  for (const BlockField& block : kBlocks) record.*block.field = kernel::LocalAllocate(block.size);
  if (!HasCodecBlocks(record)) FreeCodecBlocks(record);
}

bool HasCodecBlocks(const DecoderRecord& record) {
  return std::all_of(std::begin(kBlocks), std::end(kBlocks),
                     [&record](const BlockField& block) { return record.*block.field != nullptr; });
}

void FreeCodecBlocks(DecoderRecord& record) {
  for (void* DecoderRecord::*field : kFreeOrder) {
    if (record.*field) kernel::LocalRelease(record.*field);
    record.*field = nullptr;
  }
}
