// Shift-JIS (code page 932) text helpers: lead bytes, full-width conversion, UTF-16 conversion,
// path separators.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

bool IsLeadByte(unsigned char byte);

// Converts the NUL-terminated source to full-width characters into destination, NUL-terminated and
// cut to capacity bytes (a two-byte character is never split). Two-byte source characters are
// copied unchanged.
void ToFullWidth(char* destination, std::size_t capacity, const char* source);

// The program's texts and the files' are Shift-JIS whatever the system's code page; the platform's
// wide functions take them as UTF-16.
std::wstring WideFromShiftJis(const char* text);
// None when code page 932 cannot hold every character of the text.
std::optional<std::string> ShiftJisFromWide(const std::wstring& text);

// Position of the last single-byte backslash in a path in the system's code page (Shift-JIS on a
// Japanese system); the trail byte of a two-byte character is never taken for one, although 0x5C
// is a valid trail byte in Shift-JIS and in the Chinese code pages too.
std::optional<std::size_t> FindLastSeparator(const char* path);
