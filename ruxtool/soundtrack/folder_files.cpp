// IsAudioFileName: the extensions of the formats make reads.
#include "folder_files.h"

#include <algorithm>
#include <cctype>

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
