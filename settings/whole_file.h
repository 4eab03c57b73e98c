// Whole files through an open handle, byte for byte.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

// The largest settings file the program takes on: the engine's files hold a few kilobytes.
constexpr DWORD kLargestSettingsFile = 1 << 20;

// Everything from the file's start; none, with the last error set, when reading fails or the
// file is larger than kLargestSettingsFile.
std::optional<std::string> ReadWhole(HANDLE file);

// Up to size bytes from offset; fewer where the file ends.
std::optional<std::string> ReadAt(HANDLE file, DWORD offset, DWORD size);

// Writes all of bytes at offset; false, with the last error set, when that fails. A write that
// stops short without an error counts as a full disk.
bool WriteAt(HANDLE file, DWORD offset, std::string_view bytes);
