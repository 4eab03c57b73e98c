// ProfileFile over GetPrivateProfileIntA, GetPrivateProfileStringA and WritePrivateProfileStringA.
#include "profile_file.h"

#include <windows.h>

#include "format_text.h"

ProfileFile::ProfileFile(const char* directory, const char* fileName)
    : path_(std::string(directory) + fileName) {}

std::int32_t ProfileFile::ReadInteger(const char* section, const char* key, std::int32_t fallback) const {
  return static_cast<std::int32_t>(GetPrivateProfileIntA(section, key, fallback, path_.c_str()));
}

void ProfileFile::ReadText(const char* section, const char* key, const char* fallback, char* buffer,
                           std::size_t size) const {
  GetPrivateProfileStringA(section, key, fallback, buffer, static_cast<DWORD>(size), path_.c_str());
}

void ProfileFile::MakeWritable() const { SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL); }

void ProfileFile::WriteInteger(const char* section, const char* key, std::int32_t value) const {
  char text[16];
  FormatText(text, sizeof text, "%d", value);
  WriteText(section, key, text);
}

void ProfileFile::WriteText(const char* section, const char* key, const char* text) const {
  WritePrivateProfileStringA(section, key, text, path_.c_str());
}
