// Choosing the configuration directory.
#include "configuration_directory.h"

#include <windows.h>

#include "shift_jis.h"

namespace {

constexpr DWORD kCurrentDirectoryLimit = 1920;
constexpr DWORD kPathLimit = 2048;
const char kSettingsFileName[] = "vesk.cfg";

// A path ends in a separator only where its last character is a single-byte backslash: 0x5C may
// also be the trail byte of a two-byte character ("表" is 0x95 0x5C).
bool EndsInSeparator(const std::string& path) {
  const auto separator = FindLastSeparator(path.c_str());
  return separator.has_value() && *separator + 1 == path.size();
}

std::optional<std::string> CurrentDirectory() {
  char buffer[kCurrentDirectoryLimit];
  const DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
  if (length == 0 || length >= sizeof buffer) return std::nullopt;
  std::string directory(buffer, length);
  if (!EndsInSeparator(directory)) directory += '\\';
  return directory;
}

std::optional<std::string> ProgramDirectory() {
  char buffer[kPathLimit];
  const DWORD length = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  if (length == 0 || length >= sizeof buffer) return std::nullopt;
  std::string path(buffer, length);
  const auto separator = FindLastSeparator(path.c_str());
  if (separator.has_value()) path.resize(*separator + 1);
  return path;
}

bool HoldsSettingsFile(const std::optional<std::string>& directory) {
  return directory.has_value() && FileExists(*directory + kSettingsFileName);
}

}  // namespace

bool FileExists(const std::string& path) {
  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA(path.c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

std::optional<std::string> FindConfigurationDirectory() {
  const auto current = CurrentDirectory();
  if (HoldsSettingsFile(current)) return current;
  const auto program = ProgramDirectory();
  if (HoldsSettingsFile(program)) return program;
  return std::nullopt;
}
