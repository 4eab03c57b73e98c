// Reading and writing whole files with the standard streams, for the host build.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "file_bytes.h"

std::string ReadFileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

bool WriteSparseFile(const std::string& path, uint64_t size, const FilePieces& pieces) {
  const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (file < 0) return false;
  bool written = ftruncate(file, static_cast<off_t>(size)) == 0;
  for (const auto& [position, bytes] : pieces) {
    written = written && pwrite(file, bytes.data(), bytes.size(), static_cast<off_t>(position)) ==
                             static_cast<ssize_t>(bytes.size());
  }
  return close(file) == 0 && written;
}

bool FileExists(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0;
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* directory = opendir(folder.c_str())) {
    while (const dirent* entry = readdir(directory)) {
      struct stat status;
      if (stat((folder + entry->d_name).c_str(), &status) == 0 && S_ISREG(status.st_mode)) names.push_back(entry->d_name);
    }
    closedir(directory);
  }
  std::sort(names.begin(), names.end());
  return names;
}
