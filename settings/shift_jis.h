// Shift-JIS (code page 932) text helpers: lead bytes, full-width conversion, path separators.
#pragma once

#include <cstddef>
#include <optional>

bool IsLeadByte(unsigned char byte);

// Converts the NUL-terminated source to full-width characters into destination, NUL-terminated and
// cut to capacity bytes (a two-byte character is never split). Two-byte source characters are
// copied unchanged.
void ToFullWidth(char* destination, std::size_t capacity, const char* source);

// Position of the last single-byte backslash in a Shift-JIS path; the trail byte of a two-byte
// character is never taken for one, although 0x5C is a valid trail byte.
std::optional<std::size_t> FindLastSeparator(const char* path);
