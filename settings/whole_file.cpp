// Reading and writing whole files with the Windows file functions.
#include "whole_file.h"

std::optional<std::string> ReadWhole(HANDLE file) {
  LARGE_INTEGER size = {};
  if (!GetFileSizeEx(file, &size)) return std::nullopt;
  if (size.QuadPart > kLargestSettingsFile) {
    SetLastError(ERROR_FILE_TOO_LARGE);
    return std::nullopt;
  }
  return ReadAt(file, 0, static_cast<DWORD>(size.QuadPart));
}

std::optional<std::string> ReadAt(HANDLE file, DWORD offset, DWORD size) {
  std::string bytes(size, '\0');
  DWORD read = 0;
  if (SetFilePointer(file, static_cast<LONG>(offset), nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
      (size != 0 && !ReadFile(file, &bytes[0], size, &read, nullptr)))
    return std::nullopt;
  bytes.resize(read);
  return bytes;
}

bool WriteAt(HANDLE file, DWORD offset, std::string_view bytes) {
  if (SetFilePointer(file, static_cast<LONG>(offset), nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return false;
  while (!bytes.empty()) {
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) return false;
    if (written == 0) {
      SetLastError(ERROR_DISK_FULL);
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}
