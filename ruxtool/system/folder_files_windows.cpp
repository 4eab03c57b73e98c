// The folder's files through FindFirstFileW, GetFileAttributesExW and CreateDirectoryW: UTF-8 paths
// turned into UTF-16 at each call, so that every name reads and opens whatever the system's code page.
#include <windows.h>

#include <algorithm>

#include "system/folder_files.h"
#include "system/unicode_text.h"

const char kPathSeparator = '\\';

namespace {

// No byte of a UTF-8 character past ASCII is a slash or a backslash.
std::vector<size_t> Separators(const std::string& path) {
  std::vector<size_t> separators;
  for (size_t at = path.find_first_of("\\/"); at != std::string::npos; at = path.find_first_of("\\/", at + 1)) {
    separators.push_back(at);
  }
  return separators;
}

bool ListUnder(const std::string& folder, const std::string& relative,
               const std::function<bool(const std::string&)>& wanted, std::vector<std::string>& files) {
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(ToUtf16(folder + relative + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
  bool listed = true;
  do {
    const std::string name = FromUtf16(found.cFileName);
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      listed = ListUnder(folder, relative + name + "\\", wanted, files) && listed;
    } else if (wanted(name)) {
      files.push_back(relative + name);
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return listed;
}

}  // namespace

bool ListFiles(const std::string& folder, const std::function<bool(const std::string& name)>& wanted,
               std::vector<std::string>& files, std::string& error) {
  const bool separated = !folder.empty() && LastSeparator(folder) == folder.size() - 1;
  const std::string root = separated ? folder : folder + "\\";
  if (!IsFolder(folder) || !ListUnder(root, "", wanted, files)) {
    error = "cannot read the folder " + folder;
    return false;
  }
  std::sort(files.begin(), files.end());
  return true;
}

bool IsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(ToUtf16(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string FileStamp(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(ToUtf16(path).c_str(), GetFileExInfoStandard, &data)) return {};
  const unsigned long long size = static_cast<unsigned long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
  const unsigned long long time =
      static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime;
  return "size " + std::to_string(size) + " time " + std::to_string(time);
}

size_t LastSeparator(const std::string& path) { return path.find_last_of("\\/"); }

bool MakeParentFolders(const std::string& path) {
  const std::vector<size_t> separators = Separators(path);
  if (separators.empty()) return true;
  // Each folder on the way is made if it can be; the drive or the share at the start cannot.
  for (const size_t at : separators) CreateDirectoryW(ToUtf16(path.substr(0, at)).c_str(), nullptr);
  return IsFolder(path.substr(0, separators.back()));
}
