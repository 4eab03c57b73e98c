// Where "vesk.cfg" and "key.cfg" are: the current directory if it holds "vesk.cfg", else the
// program's own directory.
#pragma once

#include <optional>
#include <string>

// The directory, ending in a backslash; none when neither directory holds "vesk.cfg".
std::optional<std::string> FindConfigurationDirectory();

// Whether a file-system search finds the path.
bool FileExists(const std::string& path);
