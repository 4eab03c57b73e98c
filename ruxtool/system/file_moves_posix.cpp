// RenamePath and RemoveFolderTree through rename, opendir, unlink and rmdir, for the host build.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "system/file_moves.h"
#include "system/folder_files.h"

bool RenamePath(const std::string& from, const std::string& to) {
  struct stat status;
  return stat(to.c_str(), &status) != 0 && std::rename(from.c_str(), to.c_str()) == 0;
}

bool RemoveFolderTree(const std::string& folder) {
  if (DIR* directory = opendir(folder.c_str())) {
    while (const dirent* entry = readdir(directory)) {
      const std::string name = entry->d_name, path = folder + "/" + name;
      if (name == "." || name == "..") continue;
      if (IsFolder(path)) {
        RemoveFolderTree(path);
      } else {
        unlink(path.c_str());
      }
    }
    closedir(directory);
  }
  return rmdir(folder.c_str()) == 0;
}
