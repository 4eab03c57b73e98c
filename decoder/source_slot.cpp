// Source slots over memory images and CFileStream.
#include "source_slot.h"

#include <cstring>
#include <utility>

#include "exceptions.h"
#include "file_stream.h"
#include "kernel.h"

void PositionSource(SourceSlot& source, uint32_t base, uint32_t headerSize, uint32_t dataLimit) {
  source.dataStart = base + headerSize;
  source.dataLimit = dataLimit;
  RewindSource(source);
}

void RewindSource(SourceSlot& source) {
  source.readPos = source.dataStart;
  source.exhausted = 0;
}

uint32_t ReadSource(const SourceSlot& source, void* target, uint32_t count) {
  if (source.fileSource) return source.fileSource->Read(target, source.readPos, count);
  if (!source.memoryImage) return 0;
  std::memcpy(target, static_cast<const unsigned char*>(source.memoryImage) + source.readPos, count);
  return count;
}

void FreeOwnedImages(DecoderRecord& record) {
  for (StreamPart& part : record.part) {
    void* image = part.source.memoryImage;
    if (!part.source.freeOnClose || !image) continue;
    kernel::LocalRelease(image);
    // Both parts may have been given one image: it is freed once.
    for (StreamPart& holder : record.part) {
      if (holder.source.memoryImage == image) holder.source.memoryImage = nullptr;
    }
  }
}

void DestroyFileSources(DecoderRecord& record) {
  for (StreamPart& part : record.part) {
    CFileStream* file = std::exchange(part.source.fileSource, nullptr);
    if (!file) continue;
    // A reader whose end cannot be waited for may still be running: its stream is left to it.
    try {
      file->Stop();
    } catch (const CCtrlFailed&) {
      continue;
    }
    delete file;
  }
}
