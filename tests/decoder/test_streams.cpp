// StreamBytes: the encoded test streams, cached for the whole test program.
#include "test_streams.h"

#include <map>

#include "file_bytes.h"

const std::string& StreamBytes(const TestStream& stream) {
  static std::map<std::string, std::string> cache;
  auto found = cache.find(stream.name);
  if (found == cache.end()) {
    found = cache.emplace(stream.name, ReadFileBytes(std::string(stream.name) + ".ogg")).first;
  }
  return found->second;
}
