// Names compared as Windows compares them, without regard to case, and paths as a program that takes
// ANSI names opens them.
#pragma once

#include <string>

// Below 0, 0 or above 0 as a comes before, is or comes after b, case aside: CompareStringOrdinal's
// case folding on Windows, ASCII's on the host build.
int CompareNames(const std::string& a, const std::string& b);
bool SameName(const std::string& a, const std::string& b);

#ifdef _WIN32
// The path as a program that takes names in the ANSI code page opens it, as the engine's DLL does: a
// path with a character outside the code page is given by its short (8.3) form, which is ASCII, where
// the disk keeps one.
std::string AnsiPathOf(const std::string& path);
#endif
