// Whole files written and read, and folders renamed and removed: what a report folder is made with.
#pragma once

#include <string>

// False when the file cannot be written whole.
bool WriteWholeFile(const std::string& path, const std::string& bytes);
// False when the file cannot be read.
bool ReadWholeFile(const std::string& path, std::string& bytes);
// Renames a file or a folder, which must not exist under the new name yet.
bool RenamePath(const std::string& from, const std::string& to);
// Removes the folder with everything in it. False when something is left.
bool RemoveFolderTree(const std::string& folder);
