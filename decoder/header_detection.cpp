// DetectHeaders over libogg and libvorbis.
#include "header_detection.h"

#include <cstring>

#include "codec_blocks.h"
#include "decoder_teardown.h"
#include "feed_input.h"
#include "setup_header_limits.h"
#include "source_slot.h"
#include "stream_header.h"

namespace {

// The comment and setup headers, from the pages after the first.
int ReadCommentAndSetup(DecoderRecord& record, const CodecBlocks& blocks) {
  int count = 0;
  while (count < 2) {
    const int pageResult = ogg_sync_pageout(blocks.sync, blocks.page);
    if (pageResult == 0) {
      if (FeedInput(record) == 0) return RUX_HEADERS_CUT;
      continue;
    }
    if (pageResult < 0) continue;
    ogg_stream_pagein(blocks.stream, blocks.page);
    while (count < 2) {
      const int packetResult = ogg_stream_packetout(blocks.stream, blocks.packet);
      if (packetResult == 0) break;
      if (packetResult < 0) return RUX_HEADER_GAP;
      // Books beyond the limits would exhaust the caller's stack or memory inside libvorbis.
      if (!SetupHeaderWithinLimits(blocks.packet->packet, blocks.packet->bytes)) return RUX_HEADERS_DAMAGED;
      // A damaged header shows when synthesis cannot start.
      vorbis_synthesis_headerin(blocks.info, blocks.comment, blocks.packet);
      ++count;
    }
  }
  return RUX_OK;
}

}  // namespace

int DetectHeaders(DecoderRecord& record) {
  if (!HasCodecBlocks(record)) return RUX_NO_FIRST_PAGE;
  // Whatever came before (a decoder, frames asked for too early), the part starts from its beginning.
  ReleaseDecoderState(record);
  ResetSync(record);
  RewindSource(ActivePart(record).source);
  const CodecBlocks blocks = CodecBlocksOf(record);
  FeedInput(record);
  record.decoderReady = kDetectionBegun;
  if (ogg_sync_pageout(blocks.sync, blocks.page) != 1) return RUX_NO_FIRST_PAGE;
  ogg_stream_init(blocks.stream, ogg_page_serialno(blocks.page));
  vorbis_info_init(blocks.info);
  vorbis_comment_init(blocks.comment);
  record.decoderReady = kHeadersOpen;
  if (ogg_stream_pagein(blocks.stream, blocks.page) < 0) return RUX_FIRST_PAGE_REFUSED;
  if (ogg_stream_packetout(blocks.stream, blocks.packet) != 1) return RUX_NO_FIRST_PACKET;
  if (vorbis_synthesis_headerin(blocks.info, blocks.comment, blocks.packet) < 0) return RUX_NOT_VORBIS;
  const int result = ReadCommentAndSetup(record, blocks);
  if (result != RUX_OK) return result;
  // When synthesis cannot start, libvorbis clears the block it was given: it must not hold the
  // stale pointers of an earlier decoder.
  std::memset(blocks.dsp, 0, sizeof *blocks.dsp);
  if (vorbis_synthesis_init(blocks.dsp, blocks.info) != 0) return RUX_HEADERS_DAMAGED;
  vorbis_block_init(blocks.dsp, blocks.block);
  record.decoderReady = kDecoderReady;
  record.resumePending = 0;
  SetPcmFormat(ActivePart(record).header, blocks.info->channels, blocks.info->rate);
  return RUX_OK;
}
