// ReleaseDecoderState and ResetSync over the stages kept in decoderReady.
#include "decoder_teardown.h"

#include "codec_blocks.h"

void ReleaseDecoderState(DecoderRecord& record) {
  const CodecBlocks blocks = CodecBlocksOf(record);
  const bool headersOpen = record.decoderReady == kHeadersOpen || record.decoderReady == kDecoderReady;
  const bool synthesisLive = record.decoderReady == kDecoderReady;
  if (headersOpen) ogg_stream_clear(blocks.stream);
  if (synthesisLive) {
    vorbis_block_clear(blocks.block);
    vorbis_dsp_clear(blocks.dsp);
  }
  if (headersOpen) {
    vorbis_comment_clear(blocks.comment);
    vorbis_info_clear(blocks.info);
  }
  record.decoderReady = kNotPrepared;
}

void ResetSync(DecoderRecord& record) {
  ogg_sync_state* sync = CodecBlocksOf(record).sync;
  if (!sync) return;
  ogg_sync_clear(sync);
  ogg_sync_init(sync);
}
