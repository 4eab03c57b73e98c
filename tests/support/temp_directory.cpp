// TempDirectory: created with a unique name, removed recursively.
#include "temp_directory.h"

#include <windows.h>

#include <atomic>
#include <cstdio>

namespace {

void RemoveTree(const std::string& directory) {
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA((directory + "*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = directory + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path + "\\");
      } else {
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
  }
  SetFileAttributesA(directory.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryA(directory.c_str());
}

}  // namespace

TempDirectory::TempDirectory() {
  static std::atomic<unsigned> counter{0};
  char base[MAX_PATH];
  GetTempPathA(sizeof base, base);
  char name[64];
  std::snprintf(name, sizeof name, "vesk-test-%lu-%u\\", GetCurrentProcessId(), counter++);
  path_ = std::string(base) + name;
  CreateDirectoryA(path_.c_str(), nullptr);
}

TempDirectory::~TempDirectory() { RemoveTree(path_); }
