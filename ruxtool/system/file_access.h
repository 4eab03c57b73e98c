// Files opened, written, renamed and removed by their UTF-8 paths; on Windows through the wide functions, so
// that a name outside the ANSI code page opens as well as any.
#pragma once

#include <cstdio>
#include <string>

// The C runtime's FILE for path, with fopen's modes; null when it cannot be opened.
std::FILE* OpenFileStream(const std::string& path, const char* mode);
// The file's bytes; empty when it cannot be read.
std::string ReadWholeFile(const std::string& path);
// False when the file cannot be written whole.
bool WriteWholeFile(const std::string& path, const std::string& bytes);
// Gives from the name to, replacing a file there. False when it cannot.
bool RenameReplacing(const std::string& from, const std::string& to);
bool RemoveFile(const std::string& path);
// Removes the files under folder, at any depth, and the folder once empty. False when it is left.
bool RemoveFolderAndFiles(const std::string& folder);
