// OpenStringSource: read, seek and tell over the string.
#include "string_source.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

size_t ReadString(void* target, size_t size, size_t count, void* source) {
  auto& input = *static_cast<StringSource*>(source);
  const size_t bytes = std::min(size * count, input.bytes.size() - input.position);
  std::memcpy(target, input.bytes.data() + input.position, bytes);
  input.position += bytes;
  return bytes / size;
}

int SeekString(void* source, ogg_int64_t offset, int origin) {
  auto& input = *static_cast<StringSource*>(source);
  const ogg_int64_t size = static_cast<ogg_int64_t>(input.bytes.size());
  const ogg_int64_t target = offset + (origin == SEEK_SET ? 0 : origin == SEEK_CUR ? input.position : size);
  if (target < 0 || target > size) return -1;
  input.position = static_cast<size_t>(target);
  return 0;
}

long TellString(void* source) { return static_cast<long>(static_cast<StringSource*>(source)->position); }

}  // namespace

int OpenStringSource(StringSource& source, OggVorbis_File& file) {
  return ov_open_callbacks(&source, &file, nullptr, 0, ov_callbacks{ReadString, SeekString, nullptr, TellString});
}
