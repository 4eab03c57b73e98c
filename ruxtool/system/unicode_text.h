// Text as ruxtool holds it, UTF-8, and the other encodings it meets: UTF-16 at every Windows call, and
// the code page 932 of text files saved on a Japanese Windows.
#pragma once

#include <string>

// Whether text is well-formed UTF-8: no stray continuation byte, no sequence cut short, no overlong
// form, no surrogate, nothing past U+10FFFF.
bool IsUtf8(const std::string& text);
// Code page 932 (Shift-JIS as Windows extends it) as UTF-8.
std::string Utf8FromCodePage932(const std::string& text);
// A text file that people edit, as UTF-8: its bytes as they are when they are valid UTF-8, as Notepad
// saves them, with or without a byte order mark (dropped); otherwise read as code page 932, as Notepad
// saves "ANSI" on a Japanese Windows.
std::string EditedTextAsUtf8(const std::string& bytes);

#ifdef _WIN32
constexpr unsigned kUtf8CodePage = 65001;  // CP_UTF8
// text, in codePage, as UTF-16.
std::wstring ToUtf16(const std::string& text, unsigned codePage = kUtf8CodePage);
// UTF-16 in codePage; a character the code page lacks becomes its default character ("?").
std::string FromUtf16(const std::wstring& text, unsigned codePage = kUtf8CodePage);
#endif
