// ReadAllWithOvRead over the string source, in 4096-byte calls.
#include "ov_read_all.h"

#include <vector>

#include "string_source.h"

uint64_t ReadAllWithOvRead(const std::string* image) {
  constexpr int kLittleEndian = 0, kSixteenBits = 2, kSigned = 1;
  std::vector<char> buffer(4096);
  uint64_t samples = 0;
  StringSource source{*image};
  OggVorbis_File file;
  if (OpenStringSource(source, file) != 0) return samples;
  int link = 0;
  long bytes;
  while ((bytes = ov_read(&file, buffer.data(), static_cast<int>(buffer.size()), kLittleEndian, kSixteenBits,
                          kSigned, &link)) > 0) {
    samples += static_cast<uint64_t>(bytes) / 2;
  }
  ov_clear(&file);
  return samples;
}
