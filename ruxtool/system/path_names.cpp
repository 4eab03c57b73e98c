// JoinedPath: a separator added only where the folder does not end with one.
#include "system/path_names.h"

#include "system/folder_files.h"

std::string JoinedPath(const std::string& folder, const std::string& relative) {
  return LastSeparator(folder) == folder.size() - 1 ? folder + relative : folder + kPathSeparator + relative;
}
