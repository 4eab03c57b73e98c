// OpenFileStream and the others: _wfopen, MoveFileExW, DeleteFileW and RemoveDirectoryW on Windows, the
// C library elsewhere.
#include "system/file_access.h"

#ifdef _WIN32
#include <windows.h>

#include "system/unicode_text.h"
#else
#include <unistd.h>
#endif

#include <vector>

#include "system/folder_files.h"
#include "system/path_names.h"

std::FILE* OpenFileStream(const std::string& path, const char* mode) {
#ifdef _WIN32
  return _wfopen(ToUtf16(path).c_str(), ToUtf16(mode).c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

std::string ReadWholeFile(const std::string& path) {
  std::string bytes;
  std::FILE* file = OpenFileStream(path, "rb");
  if (!file) return bytes;
  char buffer[65536];
  for (size_t read; (read = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, read);
  std::fclose(file);
  return bytes;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::FILE* file = OpenFileStream(path, "wb");
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

bool RenameReplacing(const std::string& from, const std::string& to) {
#ifdef _WIN32
  return MoveFileExW(ToUtf16(from).c_str(), ToUtf16(to).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
  return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

bool RemoveFile(const std::string& path) {
#ifdef _WIN32
  return DeleteFileW(ToUtf16(path).c_str()) != 0;
#else
  return std::remove(path.c_str()) == 0;
#endif
}

bool RemoveFolderAndFiles(const std::string& folder) {
  std::vector<std::string> files;
  std::string error;
  ListFiles(folder, [](const std::string&) { return true; }, files, error);
  for (const std::string& file : files) RemoveFile(JoinedPath(folder, file));
#ifdef _WIN32
  return RemoveDirectoryW(ToUtf16(folder).c_str()) != 0;
#else
  return rmdir(folder.c_str()) == 0;
#endif
}
