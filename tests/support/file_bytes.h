// Whole files as bytes, for byte-exact expectations, and the folders that hold them.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// The names of the files in folder (a path ending in a backslash), sorted.
std::vector<std::string> FilesIn(const std::string& folder);
// A Unix path as the build's Windows programs see it: Wine shows the Unix root as drive Z:.
std::string WindowsPathOf(const std::string& unixPath);
// A file of the given size that holds each piece at its position and zeros elsewhere, sparse where the
// file system allows: a pack file of gigabytes costs nothing. False when it cannot be written.
using FilePieces = std::vector<std::pair<uint64_t, std::string>>;
bool WriteSparseFile(const std::string& path, uint64_t size, const FilePieces& pieces);
