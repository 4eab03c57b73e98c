// ProfileFile over GetPrivateProfileIntA and GetPrivateProfileStringA.
#include "profile_file.h"

#include <windows.h>

#include <vector>

ProfileFile::ProfileFile(const char* directory, const char* fileName) : path_(std::string(directory) + fileName) {}

std::int32_t ProfileFile::ReadInteger(const char* section, const char* key, std::int32_t fallback) const {
  return static_cast<std::int32_t>(GetPrivateProfileIntA(section, key, fallback, path_.c_str()));
}

void ProfileFile::ReadText(const char* section, const char* key, const char* fallback, char* buffer,
                           std::size_t size) const {
  GetPrivateProfileStringA(section, key, fallback, buffer, static_cast<DWORD>(size), path_.c_str());
}

std::string ProfileFile::ReadText(const char* section, const char* key) const {
  // A value that fills the buffer may have been cut: read again with more room.
  for (DWORD size = 256;; size *= 4) {
    std::vector<char> buffer(size);
    const DWORD length = GetPrivateProfileStringA(section, key, "", buffer.data(), size, path_.c_str());
    if (length + 1 < size) return std::string(buffer.data(), length);
  }
}
