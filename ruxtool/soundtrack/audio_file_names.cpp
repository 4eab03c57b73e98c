// IsAudioFileName: the extensions of the formats make reads; IsMacMetadata: the names a Mac's zip gives
// what it adds.
#include "soundtrack/audio_file_names.h"

#include <algorithm>
#include <cctype>

#include "system/folder_files.h"
#include "system/path_names.h"

bool IsAudioFileName(const std::string& name) {
  const size_t dot = name.find_last_of('.');
  if (dot == std::string::npos) return false;
  std::string extension = name.substr(dot + 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const char* known : {"wav", "aif", "aiff", "aifc", "flac", "ogg", "w64", "rf64", "caf"}) {
    if (extension == known) return true;
  }
  return false;
}

bool IsMacMetadata(const std::string& relative) {
  for (size_t start = 0; start <= relative.size();) {
    const size_t end = std::min(relative.find(kPathSeparator, start), relative.size());
    const std::string part = relative.substr(start, end - start);
    if (SameName(part, "__MACOSX") || (end == relative.size() && part.compare(0, 2, "._") == 0)) return true;
    start = end + 1;
  }
  return false;
}

bool ListAudioFiles(const std::string& folder, std::vector<std::string>& files, size_t& macFiles,
                    std::string& error) {
  if (!ListFiles(folder, IsAudioFileName, files, error)) return false;
  const auto mac = std::remove_if(files.begin(), files.end(), IsMacMetadata);
  macFiles = static_cast<size_t>(files.end() - mac);
  files.erase(mac, files.end());
  return true;
}
