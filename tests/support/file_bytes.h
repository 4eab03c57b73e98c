// Whole files as bytes, for byte-exact expectations.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// A file of the given size that holds each piece at its position and zeros elsewhere, sparse where the
// file system allows: a pack file of gigabytes costs nothing. False when it cannot be written.
using FilePieces = std::vector<std::pair<uint64_t, std::string>>;
bool WriteSparseFile(const std::string& path, uint64_t size, const FilePieces& pieces);
