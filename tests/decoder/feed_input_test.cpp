// FeedInput: steps of at most 1024 bytes of the active part, the end of a source, and a file
// source whose limit lies beyond the file.
#include "feed_input.h"

#include <gtest/gtest.h>

#include <string>

#include "file_bytes.h"
#include "record_lifecycle.h"
#include "source_binding.h"
#include "temp_directory.h"

namespace {

class FeedInputTest : public testing::Test {
 protected:
  FeedInputTest() { InitRecord(record_); }
  ~FeedInputTest() override { CloseRecord(record_); }

  // Feeds until the source is exhausted; every step's bytes must be the source's next bytes.
  std::vector<uint32_t> FeedAll(const std::string& source) {
    std::vector<uint32_t> steps;
    for (;;) {
      const uint32_t position = record_.part[0].source.readPos;
      const uint32_t count = FeedInput(record_);
      steps.push_back(count);
      if (count == 0) return steps;
      EXPECT_EQ(std::string(static_cast<const char*>(record_.lastSyncBuffer), count),
                source.substr(position, count));
    }
  }

  DecoderRecord record_{};
};

TEST_F(FeedInputTest, AMemorySourceIsFedInStepsOf1024BytesFromItsDataStart) {
  std::string image = "RUX" + std::string(2497, 'x');
  BindMemory(record_, &image[0], 2500, 0);
  ASSERT_EQ(record_.part[0].source.dataStart, 36u);
  EXPECT_EQ(FeedAll(image), (std::vector<uint32_t>{1024, 1024, 416, 0}));
  EXPECT_TRUE(record_.part[0].source.exhausted);
}

TEST_F(FeedInputTest, AnExhaustedSourceAsksTheSyncLayerForNothing) {
  std::string image(100, 'x');
  BindMemory(record_, &image[0], 100, 0);
  FeedAll(image);
  record_.lastSyncBuffer = nullptr;
  EXPECT_EQ(FeedInput(record_), 0u);
  EXPECT_EQ(record_.lastSyncBuffer, nullptr);
}

TEST_F(FeedInputTest, AFileSourceEndsWithTheFileWhenItsLimitLiesBeyond) {
  TempDirectory directory;
  const std::string bytes(3000, 'y');
  WriteFileBytes(directory / "stream.bin", bytes);
  BindFile(record_, (directory / "stream.bin").c_str(), 0, 10000);
  ASSERT_EQ(record_.part[0].source.dataLimit, 10000u);
  EXPECT_EQ(FeedAll(bytes), (std::vector<uint32_t>{1024, 1024, 952, 0}));
  EXPECT_TRUE(record_.part[0].source.exhausted);
}

}  // namespace
