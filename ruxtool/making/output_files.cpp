// OutputFiles: the temporary name is the file's own with a suffix, so that the rename stays within
// its folder and cannot cross to another disk.
#include "making/output_files.h"

#include <cstdio>

#include "system/file_access.h"

namespace {

const char kTemporarySuffix[] = ".ruxtool-part";

}  // namespace

OutputFiles::~OutputFiles() {
  for (const Output& output : outputs_) RemoveFile(output.temporary);
}

bool OutputFiles::Write(const std::string& path, const std::string& bytes, std::string& error) {
  const Output output{path, path + kTemporarySuffix};
  std::FILE* file = OpenFileStream(output.temporary, "wb");
  if (!file) {
    error = "cannot write " + path + ": its folder does not exist or may not be written";
    return false;
  }
  outputs_.push_back(output);
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) != 0 || !written) {
    error = "cannot write " + path + ": the disk is full or failed";
    return false;
  }
  return true;
}

std::string OutputFiles::ReadBack(const std::string& path) const {
  for (const Output& output : outputs_) {
    if (output.path == path) return ReadWholeFile(output.temporary);
  }
  return {};
}

bool OutputFiles::Commit(std::string& error) {
  for (size_t i = 0; i < outputs_.size(); ++i) {
    if (!RenameReplacing(outputs_[i].temporary, outputs_[i].path)) {
      error = "cannot replace " + outputs_[i].path + ": another program may hold it open";
      outputs_.erase(outputs_.begin(), outputs_.begin() + static_cast<long>(i));
      return false;
    }
  }
  outputs_.clear();
  return true;
}
