// The paths resolved by their text against the working folder, for the host build; names are UTF-8.
#include <unistd.h>

#include <sstream>
#include <vector>

#include "system/path_names.h"

std::string FullPath(const std::string& path) {
  std::string absolute = path;
  if (path.empty() || path[0] != '/') {
    char working[4096];
    if (!getcwd(working, sizeof working)) return path;
    absolute = std::string(working) + "/" + path;
  }
  std::vector<std::string> names;
  std::istringstream parts(absolute);
  for (std::string name; std::getline(parts, name, '/');) {
    if (name.empty() || name == ".") continue;
    if (name != "..") {
      names.push_back(name);
    } else if (!names.empty()) {
      names.pop_back();
    }
  }
  std::string full;
  for (const std::string& name : names) full += "/" + name;
  return full.empty() ? "/" : full;
}

bool LiesWithin(const std::string& path, const std::string& folder) {
  const std::string inner = FullPath(path), outer = FullPath(folder);
  return inner.compare(0, outer.size(), outer) == 0 &&
         (inner.size() == outer.size() || inner[outer.size()] == '/' || outer == "/");
}

std::string Utf8FromNative(const std::string& text) { return text; }
