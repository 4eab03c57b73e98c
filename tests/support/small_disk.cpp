// SmallDiskTest.
#include "small_disk.h"

#include <cstdlib>

#include "file_bytes.h"

namespace {

// The disk as a Windows path ending in a backslash; empty when none is mounted.
std::string SmallDisk() {
  const char* unixPath = std::getenv("SMALL_DISK");
  if (unixPath == nullptr) return "";
  const std::string path = WindowsPathOf(unixPath) + "\\";
  // An unmounted folder is not small: a filler would fill the real disk.
  ULARGE_INTEGER total = {};
  if (!GetDiskFreeSpaceExA(path.c_str(), nullptr, &total, nullptr) || total.QuadPart > 1024 * 1024) return "";
  return path;
}

}  // namespace

void SmallDiskTest::SetUp() {
  disk_ = SmallDisk();
  if (disk_.empty()) GTEST_SKIP() << "no small disk mounted (the tests run as root mount one)";
  folder_ = disk_ + "game\\";
  CreateDirectoryA(folder_.c_str(), nullptr);
}

void SmallDiskTest::TearDown() {
  if (disk_.empty()) return;
  DeleteFileA((disk_ + "filler").c_str());
  for (const std::string& name : FilesIn(folder_)) DeleteFileA((folder_ + name).c_str());
  RemoveDirectoryA(folder_.c_str());
}

void SmallDiskTest::FillDisk(DWORD free) const {
  HANDLE file = CreateFileA((disk_ + "filler").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  const std::string page(kDiskPage, 'x');
  DWORD written = kDiskPage;
  LONG size = 0;
  while (written == kDiskPage && WriteFile(file, page.data(), kDiskPage, &written, nullptr))
    size += static_cast<LONG>(written);
  SetFilePointer(file, size - static_cast<LONG>(free), nullptr, FILE_BEGIN);
  SetEndOfFile(file);
  CloseHandle(file);
}
