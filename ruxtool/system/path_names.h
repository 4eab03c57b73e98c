// Names and paths compared as Windows compares them: without regard to case, and paths by where they
// lead (".\", "..", the current folder), not by how they are written.
#pragma once

#include <string>

// Below 0, 0 or above 0 as a comes before, is or comes after b, case aside: CompareStringOrdinal's
// case folding on Windows, ASCII's on the host build.
int CompareNames(const std::string& a, const std::string& b);
bool SameName(const std::string& a, const std::string& b);
// For maps and sorts of names that Windows takes for one when they differ only in case.
struct NameOrder {
  bool operator()(const std::string& a, const std::string& b) const { return CompareNames(a, b) < 0; }
};
// folder and a path relative to it joined with the platform's separator.
std::string JoinedPath(const std::string& folder, const std::string& relative);
// Whether two paths lead to the same file or folder, whether it exists or not.
bool SamePath(const std::string& a, const std::string& b);
// Whether path leads to folder or to a place under it.
bool IsSameOrUnder(const std::string& path, const std::string& folder);

#ifdef _WIN32
// The path as a program that takes names in the ANSI code page opens it, as the engine's DLL does: a
// path with a character outside the code page is given by its short (8.3) form, which is ASCII, where
// the disk keeps one.
std::string AnsiPathOf(const std::string& path);
#endif
