// What only the 32-bit DLL can show: a file too large for its address space is an empty stream.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "rux2_session.h"
#include "temp_directory.h"

namespace {

TEST(AddressSpace, AFileTooLargeForMemoryIsAnEmptyStream) {
  // Sparse, nearly 4 GiB: its buffer cannot be allocated in a 32-bit process.
  TempDirectory directory;
  const std::string path = directory / "huge.ogg";
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  LARGE_INTEGER size;
  size.QuadPart = 0xF0000000LL;
  ASSERT_TRUE(SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file));
  CloseHandle(file);
  Rux2Session session;
  session.InputFile(path);
  EXPECT_EQ(session.Detect(), RUX_NO_FIRST_PAGE);
}

}  // namespace
