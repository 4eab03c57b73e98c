// OutputFiles: the temporary name is the file's own with a suffix, so that the rename stays within
// its folder and cannot cross to another disk.
#include "making/output_files.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

const char kTemporarySuffix[] = ".ruxtool-part";

bool Rename(const std::string& from, const std::string& to) {
#ifdef _WIN32
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
  return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

}  // namespace

OutputFiles::~OutputFiles() {
  for (const Output& output : outputs_) std::remove(output.temporary.c_str());
}

bool OutputFiles::Write(const std::string& path, const std::string& bytes, std::string& error) {
  const Output output{path, path + kTemporarySuffix};
  std::ofstream file(output.temporary, std::ios::binary | std::ios::trunc);
  if (!file) {
    error = "cannot write " + path + ": its folder does not exist or may not be written";
    return false;
  }
  outputs_.push_back(output);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) {
    error = "cannot write " + path + ": the disk is full or failed";
    return false;
  }
  return true;
}

std::string OutputFiles::ReadBack(const std::string& path) const {
  for (const Output& output : outputs_) {
    if (output.path != path) continue;
    std::ifstream file(output.temporary, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }
  return {};
}

bool OutputFiles::Commit(std::string& error) {
  for (size_t i = 0; i < outputs_.size(); ++i) {
    if (!Rename(outputs_[i].temporary, outputs_[i].path)) {
      error = "cannot replace " + outputs_[i].path + ": another program may hold it open";
      outputs_.erase(outputs_.begin(), outputs_.begin() + static_cast<long>(i));
      return false;
    }
  }
  outputs_.clear();
  return true;
}
