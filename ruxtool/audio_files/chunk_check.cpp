// CheckChunksWhole: the chunks walked from the first to the file's end, as the container lays them out.
#include "audio_files/chunk_check.h"

#include <cstdint>
#include <cstring>

namespace {

struct Container {
  char magic[5];
  int64_t firstChunk;  // past the container's own header
  int idBytes;
  int sizeBytes;
  bool bigEndian;
  bool sizeCountsHeader;
  int alignment;
};

const Container kContainers[] = {
    {"RIFF", 12, 4, 4, false, false, 2},  // WAV
    {"RIFX", 12, 4, 4, true, false, 2},   // WAV, big-endian
    {"RF64", 12, 4, 4, false, false, 2},
    {"FORM", 12, 4, 4, true, false, 2},   // AIFF and AIFC
    {"riff", 40, 16, 8, false, true, 8},  // W64: GUIDs for ids, sizes that count the chunk's header
};

// RF64 gives a data chunk past 4 GiB this size, and its real size in the ds64 chunk.
constexpr uint64_t kSizeInDs64 = 0xFFFFFFFF;

uint64_t Number(const unsigned char* bytes, int width, bool bigEndian) {
  uint64_t value = 0;
  for (int i = 0; i < width; ++i) value = value << 8 | bytes[bigEndian ? i : width - 1 - i];
  return value;
}

const Container* ContainerOf(InputFile& file) {
  char magic[4];
  if (!file.ReadAt(0, magic, sizeof magic)) return nullptr;
  for (const Container& container : kContainers) {
    if (std::memcmp(magic, container.magic, sizeof magic) == 0) return &container;
  }
  return nullptr;
}

}  // namespace

bool CheckChunksWhole(InputFile& file, std::string& problem) {
  const Container* container = ContainerOf(file);
  if (!container) return true;
  const int headerBytes = container->idBytes + container->sizeBytes;
  unsigned char header[24];
  uint64_t ds64DataSize = kSizeInDs64;
  for (int64_t position = container->firstChunk; position + headerBytes <= file.Size();) {
    if (!file.ReadAt(position, header, headerBytes)) break;
    // W64's GUIDs begin with the four letters of the chunk's RIFF name.
    const std::string id(reinterpret_cast<const char*>(header), 4);
    uint64_t size = Number(header + container->idBytes, container->sizeBytes, container->bigEndian);
    if (container->sizeCountsHeader) size = size > static_cast<uint64_t>(headerBytes) ? size - headerBytes : 0;
    unsigned char ds64[16];
    if (id == "ds64" && file.ReadAt(position + headerBytes, ds64, sizeof ds64)) {
      ds64DataSize = Number(ds64 + 8, 8, false);
    }
    if (id == "data" && size == kSizeInDs64) size = ds64DataSize;
    const uint64_t available = static_cast<uint64_t>(file.Size() - position - headerBytes);
    if (size > available) {
      problem = "it is cut short: its " + id + " chunk holds " + std::to_string(size) + " bytes, the file " +
                std::to_string(available) + " more";
      return false;
    }
    const uint64_t padded = (size + container->alignment - 1) / container->alignment * container->alignment;
    position += headerBytes + static_cast<int64_t>(padded);
  }
  return true;
}
