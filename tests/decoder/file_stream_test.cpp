// CFileStream: positions and blocking reads, loading ahead of the reads, a stream inside a larger file,
// a file that cannot be opened, a file loaded on the caller's thread when the reader cannot start, and
// a reader whose end cannot be waited for.
#include "file_stream.h"

#include <gtest/gtest.h>

#include <string>

#include "file_bytes.h"
#include "record_lifecycle.h"
#include "temp_directory.h"

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#endif

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

// A stream in a pack file: only its bytes are held and counted, read at their positions in the file.
TEST_F(FileStream, AStreamInsideALargerFileHoldsAndReadsOnlyItsOwnBytes) {
  const std::string bytes = Pattern(3 * kChunk + 1000);
  const std::string path = Write(bytes);
  const uint32_t offset = kChunk + 17;
  CFileStream stream(path.c_str(), offset, kChunk + 300);
  EXPECT_EQ(stream.GetSize(), bytes.size());
  EXPECT_EQ(stream.Loaded(), kChunk + 300);
  EXPECT_EQ(ReadAt(stream, offset, 8), bytes.substr(offset, 8));
  EXPECT_EQ(ReadAt(stream, offset + kChunk, 500), bytes.substr(offset + kChunk, 300));
  EXPECT_EQ(stream.RequestedEnd(), kChunk + 300);
  EXPECT_EQ(ReadAt(stream, offset - 1, 8), "");
  EXPECT_EQ(ReadAt(stream, offset + kChunk + 300, 8), "");
  // Size 0 stands for the rest of the file; a size past the file's end stops there.
  for (const uint32_t size : {0u, 0xFFFFFFFFu}) {
    CFileStream rest(path.c_str(), offset, size);
    EXPECT_EQ(rest.Loaded(), 2 * kChunk);
    EXPECT_EQ(ReadAt(rest, offset, static_cast<uint32_t>(bytes.size())), bytes.substr(offset));
  }
  CFileStream pastTheEnd(path.c_str(), static_cast<uint32_t>(bytes.size()), 0);
  EXPECT_EQ(ReadAt(pastTheEnd, static_cast<uint32_t>(bytes.size()), 4), "");
}

TEST_F(FileStream, ANameThatCannotBeOpenedGivesAnEmptyStream) {
  CFileStream stream((directory_ / "missing.bin").c_str());
  EXPECT_EQ(stream.GetSize(), 0u);
  EXPECT_EQ(ReadAt(stream, 0, 4), "");
}

TEST_F(FileStream, WithoutItsThreadTheFileLoadsOnTheCallersThread) {
  const std::string bytes = Pattern(1 << 20);
  CFileStream stream(Write(bytes).c_str(), 0, 0, &NoThread);
  EXPECT_EQ(stream.Loaded(), 1u << 20);
  EXPECT_EQ(ReadAt(stream, 0, 1 << 20), bytes);
}

#ifdef _WIN32
// Only Windows can give a wait that fails: the stream is handed a handle of its running reader
// without the right to wait on it. The reader's own handle stays open, unknown to the test.
bool StartWithAnEndNoOneCanAwait(kernel::Thread& thread, kernel::ThreadProcedure procedure, void* argument) {
  const auto running =
      reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, procedure, argument, CREATE_SUSPENDED, nullptr));
  if (!running) return false;
  HANDLE unwaitable = nullptr;
  DuplicateHandle(GetCurrentProcess(), running, GetCurrentProcess(), &unwaitable,
                  THREAD_QUERY_LIMITED_INFORMATION, FALSE, 0);
  thread = reinterpret_cast<kernel::Thread>(unwaitable);
  ResumeThread(running);
  return true;
}

TEST_F(FileStream, AReaderWhoseEndCannotBeAwaitedKeepsItsStreamAndTheRecordStillCloses) {
  DecoderRecord record{};
  InitRecord(record);
  record.part[0].source.fileSource =
      new CFileStream(Write(Pattern(1 << 20)).c_str(), 0, 0, &StartWithAnEndNoOneCanAwait);
  EXPECT_NO_THROW(CloseRecord(record));
  EXPECT_EQ(record.part[0].source.fileSource, nullptr);
  EXPECT_NO_THROW(CloseRecord(record));
}
#endif

}  // namespace
