// ProfileUpdate: write into a copy, check the copy, replace the file.
#include "profile_update.h"

#include <windows.h>

#include "format_text.h"
#include "profile_file.h"

namespace {

// A list of NUL-terminated entries ending in an empty one, as the profile functions return
// section names and section contents; grown until the whole list fits.
template <typename Read>
std::vector<std::string> EntriesOf(Read read) {
  for (DWORD size = 4096;; size *= 4) {
    std::vector<char> buffer(size);
    const DWORD length = read(buffer.data(), size);
    if (length + 2 >= size) continue;
    std::vector<std::string> entries;
    for (const char* entry = buffer.data(); *entry != '\0'; entry += entries.back().size() + 1)
      entries.emplace_back(entry);
    return entries;
  }
}

std::vector<std::string> SectionNames(const std::string& path) {
  return EntriesOf([&](char* buffer, DWORD size) { return GetPrivateProfileSectionNamesA(buffer, size, path.c_str()); });
}

// The key names of a section's lines ("key=value", or a line without "=").
std::vector<std::string> KeysOf(const std::string& path, const std::string& section) {
  std::vector<std::string> keys = EntriesOf(
      [&](char* buffer, DWORD size) { return GetPrivateProfileSectionA(section.c_str(), buffer, size, path.c_str()); });
  for (std::string& key : keys) key = key.substr(0, key.find('='));
  return keys;
}

bool IsFile(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Section and key names compare as the profile functions compare them: ignoring case.
bool ContainsName(const std::vector<std::string>& names, const std::string& name) {
  for (const std::string& candidate : names)
    if (lstrcmpiA(candidate.c_str(), name.c_str()) == 0) return true;
  return false;
}

}  // namespace

ProfileUpdate::ProfileUpdate(const char* directory, const char* fileName)
    : path_(std::string(directory) + fileName),
      workPath_(path_ + ".saving"),
      checkPath_(path_ + ".check"),
      fileExisted_(IsFile(path_)) {
  SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(workPath_.c_str());
  DeleteFileA(checkPath_.c_str());
  if (fileExisted_ && !CopyFileA(path_.c_str(), workPath_.c_str(), FALSE)) failed_ = true;
}

ProfileUpdate::~ProfileUpdate() {
  DeleteFileA(workPath_.c_str());
  DeleteFileA(checkPath_.c_str());
}

void ProfileUpdate::WriteText(const char* section, const char* key, const char* text) {
  if (failed_) return;
  if (!WritePrivateProfileStringA(section, key, text, workPath_.c_str())) failed_ = true;
  written_.push_back({section, key, text});
}

void ProfileUpdate::WriteInteger(const char* section, const char* key, int value) {
  char text[16];
  FormatText(text, sizeof text, "%d", value);
  WriteText(section, key, text);
}

bool ProfileUpdate::Commit() {
  if (failed_ || !MoveFileExA(workPath_.c_str(), checkPath_.c_str(), MOVEFILE_REPLACE_EXISTING)) return false;
  if (!CopyHoldsEverything(checkPath_)) return false;
  return MoveFileExA(checkPath_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool ProfileUpdate::CopyHoldsEverything(const std::string& copy) const {
  const ProfileFile check(copy);
  for (const Written& key : written_)
    if (check.ReadText(key.section.c_str(), key.key.c_str()) != key.text) return false;
  if (!fileExisted_) return true;
  const std::vector<std::string> copiedSections = SectionNames(copy);
  for (const std::string& section : SectionNames(path_)) {
    if (!ContainsName(copiedSections, section)) return false;
    const std::vector<std::string> copiedKeys = KeysOf(copy, section);
    for (const std::string& key : KeysOf(path_, section))
      if (!ContainsName(copiedKeys, key)) return false;
  }
  return true;
}
