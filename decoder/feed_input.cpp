// FeedInput over the active part's source slot.
#include "feed_input.h"

#include <algorithm>

#include "codec_blocks.h"
#include "source_slot.h"

uint32_t FeedInput(DecoderRecord& record) {
  SourceSlot& source = ActivePart(record).source;
  if (source.exhausted) return 0;
  if (source.dataLimit <= source.readPos) {
    source.exhausted = 1;
    return 0;
  }
  ogg_sync_state* sync = CodecBlocksOf(record).sync;
  char* buffer = ogg_sync_buffer(sync, kFeedStep);
  record.lastSyncBuffer = buffer;
  // Without a buffer the sync layer could not grow: the part ends here.
  const uint32_t wanted = std::min(kFeedStep, source.dataLimit - source.readPos);
  const uint32_t count = buffer ? ReadSource(source, buffer, wanted) : 0;
  if (count == 0) {
    source.exhausted = 1;
    return 0;
  }
  source.readPos += count;
  ogg_sync_wrote(sync, count);
  return count;
}
