// IsUtf8 by the table of well-formed byte sequences; code page 932 through the system's converter:
// MultiByteToWideChar on Windows, iconv elsewhere.
#include "system/unicode_text.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>

#include <cerrno>
#endif

namespace {

const char kByteOrderMark[] = "\xEF\xBB\xBF";

bool Continues(const std::string& text, size_t at) {
  return at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80;
}

// The length of the well-formed sequence at text[at], 0 where there is none. The second byte's range
// rules out overlong forms, surrogates and code points past U+10FFFF.
size_t SequenceAt(const std::string& text, size_t at) {
  const unsigned char lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) return 1;
  size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (at + 1 >= text.size()) return 0;
  const unsigned char second = static_cast<unsigned char>(text[at + 1]);
  if (second < low || second > high) return 0;
  for (size_t i = 2; i < length; ++i) {
    if (!Continues(text, at + i)) return 0;
  }
  return length;
}

}  // namespace

bool IsUtf8(const std::string& text) {
  for (size_t at = 0; at < text.size();) {
    const size_t length = SequenceAt(text, at);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

std::string EditedTextAsUtf8(const std::string& bytes) {
  const bool marked = bytes.compare(0, 3, kByteOrderMark) == 0;
  const std::string text = marked ? bytes.substr(3) : bytes;
  return IsUtf8(text) ? text : Utf8FromCodePage932(text);
}

#ifdef _WIN32

std::wstring ToUtf16(const std::string& text, unsigned codePage) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  std::wstring wide(static_cast<size_t>(MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0)), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), size, &wide[0], static_cast<int>(wide.size()));
  return wide;
}

std::string FromUtf16(const std::wstring& text, unsigned codePage) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  std::string narrow(
      static_cast<size_t>(WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr)), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), size, &narrow[0], static_cast<int>(narrow.size()), nullptr, nullptr);
  return narrow;
}

std::string Utf8FromCodePage932(const std::string& text) { return FromUtf16(ToUtf16(text, 932)); }

#else

// A byte that code page 932 cannot take becomes U+FFFD, as Windows puts a default character there.
std::string Utf8FromCodePage932(const std::string& text) {
  const iconv_t converter = iconv_open("UTF-8", "CP932");
  if (converter == reinterpret_cast<iconv_t>(-1)) return text;
  std::string utf8;
  char buffer[256];
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  while (inLeft > 0) {
    char* out = buffer;
    size_t outLeft = sizeof buffer;
    const size_t converted = iconv(converter, &in, &inLeft, &out, &outLeft);
    utf8.append(buffer, static_cast<size_t>(out - buffer));
    if (converted == static_cast<size_t>(-1) && errno != E2BIG) {
      utf8 += "\xEF\xBF\xBD";
      ++in;
      --inLeft;
    }
  }
  iconv_close(converter);
  return utf8;
}

#endif
