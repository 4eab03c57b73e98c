// Names compared with CompareStringOrdinal on Windows, by ASCII on the host build.
#include "system/path_names.h"

#ifdef _WIN32
#include <windows.h>

#include "system/unicode_text.h"
#else
#include <cctype>
#endif

namespace {

#ifdef _WIN32

using PathText = std::wstring;

PathText Native(const std::string& path) { return ToUtf16(path); }

int Compare(const PathText& a, const PathText& b) {
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) -
         CSTR_EQUAL;
}

#else

using PathText = std::string;

PathText Native(const std::string& path) { return path; }

int Compare(const PathText& a, const PathText& b) {
  const auto folded = [](unsigned char c) { return std::tolower(c); };
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    if (folded(a[i]) != folded(b[i])) return folded(a[i]) - folded(b[i]);
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

#endif

}  // namespace

int CompareNames(const std::string& a, const std::string& b) { return Compare(Native(a), Native(b)); }

bool SameName(const std::string& a, const std::string& b) { return CompareNames(a, b) == 0; }

#ifdef _WIN32

std::string AnsiPathOf(const std::string& path) {
  const std::wstring wide = ToUtf16(path);
  BOOL lossy = FALSE;
  const std::string ansi = FromUtf16(wide, CP_ACP);
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                      &lossy);
  const DWORD size = lossy ? GetShortPathNameW(wide.c_str(), nullptr, 0) : 0;
  if (size == 0) return ansi;
  std::wstring shortPath(size, L'\0');
  shortPath.resize(GetShortPathNameW(wide.c_str(), &shortPath[0], size));
  return FromUtf16(shortPath, CP_ACP);
}

#endif
