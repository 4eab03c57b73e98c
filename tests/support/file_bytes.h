// Whole files as bytes, for byte-exact expectations, and the folders that hold them.
#pragma once

#include <string>
#include <vector>

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// The names of the files in folder (a path ending in a backslash), sorted.
std::vector<std::string> FilesIn(const std::string& folder);
// A Unix path as the build's Windows programs see it: Wine shows the Unix root as drive Z:.
std::string WindowsPathOf(const std::string& unixPath);
