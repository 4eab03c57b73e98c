// IsAudioFileName: the extensions of the formats make reads.
#include "soundtrack/audio_file_names.h"

#include <algorithm>
#include <cctype>

#include "system/folder_files.h"

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

bool ListAudioFiles(const std::string& folder, std::vector<std::string>& files, std::string& error) {
  return ListFiles(folder, IsAudioFileName, files, error);
}
