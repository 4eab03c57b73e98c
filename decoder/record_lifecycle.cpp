// InitRecord, Restart, CloseCoder and CloseRecord.
#include "record_lifecycle.h"

#include "codec_blocks.h"
#include "decoder_teardown.h"
#include "header_detection.h"
#include "source_slot.h"

void InitRecord(DecoderRecord& record) {
  AllocateCodecBlocks(record);
  if (HasCodecBlocks(record)) ogg_sync_init(CodecBlocksOf(record).sync);
  record.decoderReady = kNotPrepared;
  for (StreamPart& part : record.part) {
    part.source.freeOnClose = 0;
    part.source.memoryImage = nullptr;
    part.source.fileSource = nullptr;
  }
  record.twoPart = 0;
  record.loopPartActive = 0;
  record.resumePending = 0;
}

void Restart(DecoderRecord& record) {
  if (record.decoderReady != kDecoderReady) return;
  if (record.twoPart) record.loopPartActive = 1;
  // A failure leaves the record delivering nothing, its part reading as ended, until it is detected
  // again, bound again or closed.
  DetectHeaders(record);
}

void CloseCoder(DecoderRecord& record) {
  if (record.decoderReady != kNotPrepared) {
    ReleaseDecoderState(record);
    ResetSync(record);
  }
  FreeOwnedImages(record);
}

void CloseRecord(DecoderRecord& record) {
  ReleaseDecoderState(record);
  if (record.syncState) ogg_sync_clear(CodecBlocksOf(record).sync);
  FreeCodecBlocks(record);
  FreeOwnedImages(record);
  DestroyFileSources(record);
}
