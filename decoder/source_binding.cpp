// The input functions: header recognition, the format probe and the positions of each part.
#include "source_binding.h"

#include <algorithm>
#include <cstdint>
#include <new>

#include "decoder_teardown.h"
#include "file_stream.h"
#include "format_probe.h"
#include "source_slot.h"
#include "stream_header.h"

namespace {

// An earlier binding ends as closing would end it: its decoder, its file sources, and the images
// handed over with it, except one bound again, which passes to the new binding.
void BeginBinding(DecoderRecord& record, bool twoPart, const void* image, const void* loopImage = nullptr) {
  ReleaseDecoderState(record);
  ResetSync(record);
  for (StreamPart& part : record.part) {
    if (part.source.memoryImage && (part.source.memoryImage == image || part.source.memoryImage == loopImage))
      part.source.freeOnClose = 0;
  }
  FreeOwnedImages(record);
  DestroyFileSources(record);
  record.twoPart = twoPart;
  record.loopPartActive = 0;
  record.resumePending = 0;
}

void AttachImage(SourceSlot& source, void* image, int freeOnClose) {
  source.memoryImage = image;
  source.freeOnClose = static_cast<uint32_t>(freeOnClose);
}

// A stream object that cannot be allocated leaves the part without a source: it reads nothing.
CFileStream* AttachFile(SourceSlot& source, const char* fileName, uint32_t offset = 0, uint32_t size = 0) {
  source.fileSource = new (std::nothrow) CFileStream(fileName, offset, size);
  AttachImage(source, nullptr, 0);
  return source.fileSource;
}

uint32_t ReadFileBytes(CFileStream* file, unsigned char* target, uint32_t position, uint32_t length) {
  return file ? file->Read(target, position, length) : 0;
}

void BindPlainMemory(StreamPart& part, void* image, uint32_t size, int freeOnClose) {
  PositionSource(part.source, 0, 0, size);
  AttachImage(part.source, image, freeOnClose);
  SetDefaultFormat(part.header);
  ProbeMemoryFormat(image, size, part.header);
}

void BindPlainFile(StreamPart& part, const char* fileName) {
  CFileStream* file = AttachFile(part.source, fileName);
  SetDefaultFormat(part.header);
  PositionSource(part.source, 0, 0, file ? file->GetSize() : 0);
}

}  // namespace

void BindMemory(DecoderRecord& record, void* image, uint32_t size, int freeOnClose) {
  BeginBinding(record, false, image);
  StreamPart& part = record.part[0];
  const auto* bytes = static_cast<const unsigned char*>(image);
  const uint32_t available = image ? size : 0;
  const HeaderKind kind = RecognizeHeader(bytes, available);
  if (kind == HeaderKind::kNone) {
    BindPlainMemory(part, image, size, freeOnClose);
    return;
  }
  CopyHeader(kind, bytes, available, part.header);
  PositionSource(part.source, 0, HeaderSize(kind), size);
  AttachImage(part.source, image, freeOnClose);
}

void BindFile(DecoderRecord& record, const char* fileName, uint32_t offset, uint32_t size) {
  BeginBinding(record, false, nullptr);
  StreamPart& part = record.part[0];
  CFileStream* file = AttachFile(part.source, fileName, offset, size);
  if (size == 0) size = file ? file->GetSize() : 0;
  // The magic first, then the whole header again from the offset.
  unsigned char bytes[kRx2aHeaderSize] = {};
  const HeaderKind kind = RecognizeHeader(bytes, ReadFileBytes(file, bytes, offset, kMagicSize));
  if (kind == HeaderKind::kNone) {
    SetDefaultFormat(part.header);
  } else {
    CopyHeader(kind, bytes, ReadFileBytes(file, bytes, offset, HeaderSize(kind)), part.header);
  }
  // Positions are 32-bit: the end of a stream near the end of a 4 GiB pack must not wrap around to
  // before its start.
  const auto dataLimit = static_cast<uint32_t>(std::min<uint64_t>(uint64_t{offset} + size, UINT32_MAX));
  PositionSource(part.source, offset, HeaderSize(kind), dataLimit);
}

void BindMemoryPair(DecoderRecord& record, void* introImage, uint32_t introSize, void* loopImage,
                    uint32_t loopSize, int freeOnClose) {
  BeginBinding(record, true, introImage, loopImage);
  BindPlainMemory(record.part[0], introImage, introSize, freeOnClose);
  BindPlainMemory(record.part[1], loopImage, loopSize, freeOnClose);
}

void BindFilePair(DecoderRecord& record, const char* introFileName, const char* loopFileName) {
  BeginBinding(record, true, nullptr);
  BindPlainFile(record.part[0], introFileName);
  BindPlainFile(record.part[1], loopFileName);
}
