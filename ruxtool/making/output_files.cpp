// OutputFiles: the temporary name is the file's own with a suffix, so that the rename stays within
// its folder and cannot cross to another disk. The temporary files of every OutputFiles are known in
// one list, so that a run ended at once can remove them.
#include "making/output_files.h"

#include <cstdio>
#include <cstring>
#include <mutex>
#include <set>

#include "system/file_access.h"
#include "system/folder_files.h"

namespace {

const char kTemporarySuffix[] = ".ruxtool-part";
// The name an old output is set aside under while the new ones take their names.
const char kSetAsideSuffix[] = ".old.ruxtool-part";

// The temporary files written and not yet renamed or removed; commits hold the lock throughout.
std::mutex listLock;
std::set<std::string> temporaries;
bool endingAtOnce = false;

bool Exists(const std::string& path) { return !FileStamp(path).empty(); }

bool EndsWith(const std::string& name, const char* suffix) {
  const size_t length = std::strlen(suffix);
  return name.size() > length && name.compare(name.size() - length, length, suffix) == 0;
}

}  // namespace

OutputFiles::~OutputFiles() {
  const std::lock_guard<std::mutex> lock(listLock);
  for (const Output& output : outputs_) {
    RemoveFile(output.temporary);
    temporaries.erase(output.temporary);
  }
}

std::string OutputFiles::Begin(const std::string& path, std::string& error) {
  const Output output{path, path + kTemporarySuffix};
  const std::lock_guard<std::mutex> lock(listLock);
  if (endingAtOnce) {
    error = "interrupted";
    return {};
  }
  std::FILE* file = OpenFileStream(output.temporary, "wb");
  if (!file) {
    error = "cannot write " + path + ": its folder does not exist or may not be written";
    return {};
  }
  std::fclose(file);
  temporaries.insert(output.temporary);
  outputs_.push_back(output);
  return output.temporary;
}

bool OutputFiles::Write(const std::string& path, const std::string& bytes, std::string& error) {
  const std::string temporary = Begin(path, error);
  if (temporary.empty()) return false;
  std::FILE* file = OpenFileStream(temporary, "wb");
  const bool written = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (!file || std::fclose(file) != 0 || !written) {
    error = "cannot write " + path + ": the disk is full or failed";
    return false;
  }
  return true;
}

std::string OutputFiles::ReadBack(const std::string& path) const {
  for (const Output& output : outputs_) {
    if (output.path != path) continue;
    return ReadWholeFile(output.temporary);
  }
  return {};
}

// The old files are set aside first: one that another program holds open stops the commit before any
// file has changed. Then the new files take their names, and the old ones are removed.
bool OutputFiles::Commit(std::string& error) {
  const std::lock_guard<std::mutex> lock(listLock);
  std::vector<bool> setAside(outputs_.size());
  const auto restore = [&](size_t placed) {
    for (size_t i = 0; i < placed; ++i) RemoveFile(outputs_[i].path);
    for (size_t i = 0; i < outputs_.size(); ++i) {
      if (setAside[i]) RenameReplacing(outputs_[i].path + kSetAsideSuffix, outputs_[i].path);
    }
  };
  const std::string unchanged = outputs_.size() > 1 ? "; no output was replaced" : "";
  for (size_t i = 0; i < outputs_.size(); ++i) {
    const std::string& path = outputs_[i].path;
    if (!Exists(path)) continue;
    if (!RenameReplacing(path, path + kSetAsideSuffix)) {
      error = "cannot replace " + path + ": another program may hold it open" + unchanged;
      restore(0);
      return false;
    }
    setAside[i] = true;
  }
  for (size_t i = 0; i < outputs_.size(); ++i) {
    if (!RenameReplacing(outputs_[i].temporary, outputs_[i].path)) {
      error = "cannot give " + outputs_[i].path + " its name" + unchanged;
      restore(i);
      return false;
    }
  }
  for (size_t i = 0; i < outputs_.size(); ++i) {
    if (setAside[i]) RemoveFile(outputs_[i].path + kSetAsideSuffix);
    temporaries.erase(outputs_[i].temporary);
  }
  outputs_.clear();
  return true;
}

bool IsTemporaryOutput(const std::string& name) { return EndsWith(name, kTemporarySuffix); }

size_t SweepTemporaryOutputs(const std::string& folder) {
  std::vector<std::string> left;
  std::string error;
  if (!IsFolder(folder) || !ListFiles(folder, IsTemporaryOutput, left, error)) return 0;
  const std::string separated = LastSeparator(folder) + 1 == folder.size() ? folder : folder + kPathSeparator;
  for (const std::string& relative : left) {
    const std::string path = separated + relative;
    const std::string output = path.substr(0, path.size() - (sizeof kSetAsideSuffix - 1));
    // An old output set aside by a commit that never ended is all there is of it.
    if (!EndsWith(path, kSetAsideSuffix) || Exists(output) || !RenameReplacing(path, output)) RemoveFile(path);
  }
  return left.size();
}

bool RemoveTemporaryOutputs() {
  const std::lock_guard<std::mutex> lock(listLock);
  endingAtOnce = true;
  for (auto temporary = temporaries.begin(); temporary != temporaries.end();) {
    // A file being written cannot be removed on Windows until it is closed.
    const bool removed = RemoveFile(*temporary) || !Exists(*temporary);
    temporary = removed ? temporaries.erase(temporary) : std::next(temporary);
  }
  return temporaries.empty();
}
