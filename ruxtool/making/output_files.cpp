// OutputFiles: the temporary name is the file's own with a suffix, so that the rename stays within
// its folder and cannot cross to another disk. The temporary files of every OutputFiles are known in
// one list, so that a run ended at once can remove them.
#include "making/output_files.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>
#include <set>

#ifdef _WIN32
#include <windows.h>
#endif

#include "system/folder_files.h"

namespace {

const char kTemporarySuffix[] = ".ruxtool-part";
// The name an old output is set aside under while the new ones take their names.
const char kSetAsideSuffix[] = ".old.ruxtool-part";

// The temporary files written and not yet renamed or removed; commits hold the lock throughout.
std::mutex listLock;
std::set<std::string> temporaries;
bool endingAtOnce = false;

bool Rename(const std::string& from, const std::string& to) {
#ifdef _WIN32
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
  return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

bool Exists(const std::string& path) { return !FileStamp(path).empty(); }

bool EndsWith(const std::string& name, const char* suffix) {
  const size_t length = std::strlen(suffix);
  return name.size() > length && name.compare(name.size() - length, length, suffix) == 0;
}

}  // namespace

OutputFiles::~OutputFiles() {
  const std::lock_guard<std::mutex> lock(listLock);
  for (const Output& output : outputs_) {
    std::remove(output.temporary.c_str());
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
  if (!std::ofstream(output.temporary, std::ios::binary | std::ios::trunc)) {
    error = "cannot write " + path + ": its folder does not exist or may not be written";
    return {};
  }
  temporaries.insert(output.temporary);
  outputs_.push_back(output);
  return output.temporary;
}

bool OutputFiles::Write(const std::string& path, const std::string& bytes, std::string& error) {
  const std::string temporary = Begin(path, error);
  if (temporary.empty()) return false;
  std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
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

// The old files are set aside first: one that another program holds open stops the commit before any
// file has changed. Then the new files take their names, and the old ones are removed.
bool OutputFiles::Commit(std::string& error) {
  const std::lock_guard<std::mutex> lock(listLock);
  std::vector<bool> setAside(outputs_.size());
  const auto restore = [&](size_t placed) {
    for (size_t i = 0; i < placed; ++i) std::remove(outputs_[i].path.c_str());
    for (size_t i = 0; i < outputs_.size(); ++i) {
      if (setAside[i]) Rename(outputs_[i].path + kSetAsideSuffix, outputs_[i].path);
    }
  };
  const std::string unchanged = outputs_.size() > 1 ? "; no output was replaced" : "";
  for (size_t i = 0; i < outputs_.size(); ++i) {
    const std::string& path = outputs_[i].path;
    if (!Exists(path)) continue;
    if (!Rename(path, path + kSetAsideSuffix)) {
      error = "cannot replace " + path + ": another program may hold it open" + unchanged;
      restore(0);
      return false;
    }
    setAside[i] = true;
  }
  for (size_t i = 0; i < outputs_.size(); ++i) {
    if (!Rename(outputs_[i].temporary, outputs_[i].path)) {
      error = "cannot give " + outputs_[i].path + " its name" + unchanged;
      restore(i);
      return false;
    }
  }
  for (size_t i = 0; i < outputs_.size(); ++i) {
    if (setAside[i]) std::remove((outputs_[i].path + kSetAsideSuffix).c_str());
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
    if (!EndsWith(path, kSetAsideSuffix) || Exists(output) || !Rename(path, output)) std::remove(path.c_str());
  }
  return left.size();
}

bool RemoveTemporaryOutputs() {
  const std::lock_guard<std::mutex> lock(listLock);
  endingAtOnce = true;
  for (auto temporary = temporaries.begin(); temporary != temporaries.end();) {
    // A file being written cannot be removed on Windows until it is closed.
    const bool removed = std::remove(temporary->c_str()) == 0 || !Exists(*temporary);
    temporary = removed ? temporaries.erase(temporary) : std::next(temporary);
  }
  return temporaries.empty();
}
