// What a path names, whatever way it is written, and names as the text of a UTF-8 document.
#pragma once

#include <string>

// folder and a path relative to it joined with the platform's separator.
std::string JoinedPath(const std::string& folder, const std::string& relative);
// The path made absolute, its "." and ".." resolved; the path as given where it cannot be.
std::string FullPath(const std::string& path);
// Whether path names folder or lies inside it, as the file system sees them (on Windows, without
// regard to case).
bool LiesWithin(const std::string& path, const std::string& folder);
// A name or a message as ruxtool holds it (on Windows in the ANSI code page) in UTF-8.
std::string Utf8FromNative(const std::string& text);
