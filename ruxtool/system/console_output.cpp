// Print and PrintError: the text formatted whole, then written with WriteConsoleW where the stream is a
// console, else in the ANSI code page; as it is on the host build.
#include "system/console_output.h"

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include "system/unicode_text.h"
#endif

namespace {

std::string Formatted(const char* format, va_list arguments) {
  va_list counting;
  va_copy(counting, arguments);
  const int length = std::vsnprintf(nullptr, 0, format, counting);
  va_end(counting);
  if (length <= 0) return {};
  std::vector<char> text(static_cast<size_t>(length) + 1);
  std::vsnprintf(text.data(), text.size(), format, arguments);
  return std::string(text.data(), static_cast<size_t>(length));
}

void Write(std::FILE* stream, const std::string& text) {
#ifdef _WIN32
  const HANDLE handle = GetStdHandle(stream == stdout ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
  const std::wstring wide = ToUtf16(text);
  DWORD mode = 0, written = 0;
  if (GetConsoleMode(handle, &mode)) {
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  const std::string ansi = FromUtf16(wide, CP_ACP);
  std::fwrite(ansi.data(), 1, ansi.size(), stream);
#else
  std::fwrite(text.data(), 1, text.size(), stream);
#endif
}

}  // namespace

void Print(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  Write(stdout, Formatted(format, arguments));
  va_end(arguments);
}

void PrintError(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  Write(stderr, Formatted(format, arguments));
  va_end(arguments);
}
