// What only the 32-bit DLL can show: a file too large for its address space is an empty stream, while
// a stream anywhere in a pack file of nearly 4 GiB plays as the stream alone.
#include <gtest/gtest.h>

#include <string>

#include "file_bytes.h"
#include "reference_decoder.h"
#include "rux2_session.h"
#include "temp_directory.h"

namespace {

constexpr uint64_t kNearly4GiB = 0xF0000000;

TEST(AddressSpace, AFileTooLargeForMemoryIsAnEmptyStream) {
  // Its buffer cannot be allocated in a 32-bit process.
  TempDirectory directory;
  const std::string path = directory / "huge.ogg";
  ASSERT_TRUE(WriteSparseFile(path, kNearly4GiB, {}));
  Rux2Session session;
  session.InputFile(path);
  EXPECT_EQ(session.Detect(), RUX_NO_FIRST_PAGE);
}

TEST(AddressSpace, AStreamAnywhereInAPackOfNearly4GiBPlaysAsTheStreamAlone) {
  TempDirectory directory;
  const std::string path = directory / "music.pak";
  const std::string& stream = StreamBytes(kStereo44100);
  const auto size = static_cast<uint32_t>(stream.size());
  const uint32_t pastTwoGiB = 0x90000001;
  const auto atTheEnd = static_cast<uint32_t>(kNearly4GiB - size);
  ASSERT_TRUE(WriteSparseFile(path, kNearly4GiB, {{pastTwoGiB, stream}, {atTheEnd, stream}}));
  const struct {
    uint32_t offset, size;
  } bindings[] = {{pastTwoGiB, size}, {atTheEnd, size}, {atTheEnd, 0}};
  for (const auto& binding : bindings) {
    Rux2Session session;
    session.InputFile(path, binding.offset, binding.size);
    const std::string where = std::to_string(binding.offset) + ", size " + std::to_string(binding.size);
    ASSERT_EQ(session.Detect(), RUX_OK) << where;
    EXPECT_TRUE(SamePcm(session.DecodeToEnd(), Reference(kStereo44100).pcm)) << where;
  }
}

}  // namespace
