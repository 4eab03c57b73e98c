// CFileStream: positions and blocking reads, loading ahead of the reads, a file that cannot be
// opened, and a file loaded on the caller's thread when the reader cannot start.
#include "file_stream.h"

#include <gtest/gtest.h>

#include <string>

#include "file_bytes.h"
#include "temp_directory.h"

namespace {

constexpr uint32_t kChunk = CFileStream::kChunkSize;

std::string Pattern(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
  return bytes;
}

std::string ReadAt(CFileStream& stream, uint32_t position, uint32_t length) {
  std::string bytes(length, '\0');
  bytes.resize(stream.Read(&bytes[0], position, length));
  return bytes;
}

bool NoThread(kernel::Thread& thread, kernel::ThreadProcedure, void*) {
  thread = nullptr;
  return false;
}

class FileStream : public testing::Test {
 protected:
  TempDirectory directory_;
  std::string Write(const std::string& bytes) {
    const std::string path = directory_ / "stream.bin";
    WriteFileBytes(path, bytes);
    return path;
  }
};

TEST_F(FileStream, ASmallFileIsLoadedWholeAndReadsStopAtItsEnd) {
  const std::string bytes = Pattern(100);
  CFileStream stream(Write(bytes).c_str());
  EXPECT_EQ(stream.GetSize(), 100u);
  EXPECT_EQ(stream.Loaded(), 100u);
  EXPECT_EQ(ReadAt(stream, 0, 4), bytes.substr(0, 4));
  EXPECT_EQ(ReadAt(stream, 100, 4), "");
  EXPECT_EQ(ReadAt(stream, 98, 4), bytes.substr(98, 2));
  EXPECT_EQ(stream.RequestedEnd(), 100u);
}

TEST_F(FileStream, ReadsWaitForTheReaderWhichStaysWithinTwoChunksOfThem) {
  const std::string bytes = Pattern(1 << 20);
  CFileStream stream(Write(bytes).c_str());
  EXPECT_EQ(stream.Loaded(), 2 * kChunk);
  EXPECT_EQ(ReadAt(stream, 900000, 4), bytes.substr(900000, 4));
  EXPECT_EQ(stream.RequestedEnd(), 900004u);
  EXPECT_GE(stream.Loaded(), 900004u);
  EXPECT_LE(stream.Loaded(), stream.RequestedEnd() + 2 * kChunk);
  EXPECT_EQ(ReadAt(stream, 1048570, 10), bytes.substr(1048570));
  EXPECT_EQ(ReadAt(stream, 0, 1 << 20), bytes);
}

TEST_F(FileStream, ANameThatCannotBeOpenedGivesAnEmptyStream) {
  CFileStream stream((directory_ / "missing.bin").c_str());
  EXPECT_EQ(stream.GetSize(), 0u);
  EXPECT_EQ(ReadAt(stream, 0, 4), "");
}

TEST_F(FileStream, WithoutItsThreadTheFileLoadsOnTheCallersThread) {
  const std::string bytes = Pattern(1 << 20);
  CFileStream stream(Write(bytes).c_str(), &NoThread);
  EXPECT_EQ(stream.Loaded(), 1u << 20);
  EXPECT_EQ(ReadAt(stream, 0, 1 << 20), bytes);
}

}  // namespace
