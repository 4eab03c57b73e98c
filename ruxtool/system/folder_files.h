// Folders and files as make sees them: the files under a folder, how big and how old each one is,
// and the folders outputs go into. Paths are UTF-8.
#pragma once

#include <functional>
#include <string>
#include <vector>

// The separator of the platform's paths.
extern const char kPathSeparator;

// Where the last separator of path lies, std::string::npos where it has none.
size_t LastSeparator(const std::string& path);
// The files under folder, at any depth, whose names are wanted, as paths relative to it, sorted. False,
// with the reason in error, when the folder cannot be read.
bool ListFiles(const std::string& folder, const std::function<bool(const std::string& name)>& wanted,
               std::vector<std::string>& files, std::string& error);
bool IsFolder(const std::string& path);
// "size S time T": the file's size and the time it was last written, which change whenever the file
// does; empty when it cannot be read.
std::string FileStamp(const std::string& path);
// Makes the folders up to the last separator of path, as needed. False when one cannot be made.
bool MakeParentFolders(const std::string& path);
