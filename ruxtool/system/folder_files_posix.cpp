// The folder's files through opendir, stat and mkdir, for the host build.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

#include "system/folder_files.h"

const char kPathSeparator = '/';

namespace {

bool ListUnder(const std::string& folder, const std::string& relative,
               const std::function<bool(const std::string&)>& wanted, std::vector<std::string>& files) {
  DIR* directory = opendir((folder + relative).c_str());
  if (!directory) return false;
  bool listed = true;
  while (const dirent* entry = readdir(directory)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    if (IsFolder(folder + relative + name)) {
      listed = ListUnder(folder, relative + name + "/", wanted, files) && listed;
    } else if (wanted(name)) {
      files.push_back(relative + name);
    }
  }
  closedir(directory);
  return listed;
}

}  // namespace

bool ListFiles(const std::string& folder, const std::function<bool(const std::string& name)>& wanted,
               std::vector<std::string>& files, std::string& error) {
  const std::string root = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  if (!ListUnder(root, "", wanted, files)) {
    error = "cannot read the folder " + folder;
    return false;
  }
  std::sort(files.begin(), files.end());
  return true;
}

bool IsFolder(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::string FileStamp(const std::string& path) {
  struct stat status;
  if (stat(path.c_str(), &status) != 0) return {};
  const long long time = static_cast<long long>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
  return "size " + std::to_string(status.st_size) + " time " + std::to_string(time);
}

size_t LastSeparator(const std::string& path) { return path.find_last_of('/'); }

bool MakeParentFolders(const std::string& path) {
  const size_t last = path.find_last_of('/');
  if (last == std::string::npos || last == 0) return true;
  for (size_t at = path.find('/', 1); at != std::string::npos && at <= last; at = path.find('/', at + 1)) {
    mkdir(path.substr(0, at).c_str(), 0777);
  }
  return IsFolder(path.substr(0, last));
}
