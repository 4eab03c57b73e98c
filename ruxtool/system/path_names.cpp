// The paths' full forms from GetFullPathNameW, compared with CompareStringOrdinal, on Windows; from
// the current folder and the path's own "." and "..", compared by ASCII, on the host build.
#include "system/path_names.h"

#include "system/folder_files.h"

#ifdef _WIN32
#include <windows.h>

#include "system/unicode_text.h"
#else
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <vector>
#endif

namespace {

#ifdef _WIN32

using PathText = std::wstring;
constexpr wchar_t kSeparator = L'\\';

PathText Native(const std::string& path) { return ToUtf16(path); }

int Compare(const PathText& a, const PathText& b) {
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) -
         CSTR_EQUAL;
}

// GetFullPathNameW turns "/" into "\" and resolves "." and ".." without asking the disk.
PathText FullPathOf(const std::string& path) {
  const PathText wide = Native(path);
  const DWORD size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (size == 0) return wide;
  PathText full(size, L'\0');
  full.resize(GetFullPathNameW(wide.c_str(), size, &full[0], nullptr));
  while (full.size() > 3 && full.back() == kSeparator) full.pop_back();
  return full;
}

#else

using PathText = std::string;
constexpr char kSeparator = '/';

PathText Native(const std::string& path) { return path; }

int Compare(const PathText& a, const PathText& b) {
  const auto folded = [](unsigned char c) { return std::tolower(c); };
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    if (folded(a[i]) != folded(b[i])) return folded(a[i]) - folded(b[i]);
  }
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

PathText FullPathOf(const std::string& path) {
  char current[PATH_MAX];
  const bool relative = path.empty() || path[0] != kSeparator;
  const std::string absolute = relative && getcwd(current, sizeof current) ? current + ("/" + path) : path;
  std::vector<std::string> parts;
  for (size_t start = 0; start <= absolute.size();) {
    const size_t end = std::min(absolute.find(kSeparator, start), absolute.size());
    const std::string part = absolute.substr(start, end - start);
    if (part == ".." && !parts.empty()) parts.pop_back();
    if (!part.empty() && part != "." && part != "..") parts.push_back(part);
    start = end + 1;
  }
  std::string full;
  for (const std::string& part : parts) full += kSeparator + part;
  return full.empty() ? "/" : full;
}

#endif

}  // namespace

int CompareNames(const std::string& a, const std::string& b) { return Compare(Native(a), Native(b)); }

std::string JoinedPath(const std::string& folder, const std::string& relative) {
  return LastSeparator(folder) == folder.size() - 1 ? folder + relative : folder + kPathSeparator + relative;
}

bool SameName(const std::string& a, const std::string& b) { return CompareNames(a, b) == 0; }

bool SamePath(const std::string& a, const std::string& b) { return Compare(FullPathOf(a), FullPathOf(b)) == 0; }

bool IsSameOrUnder(const std::string& path, const std::string& folder) {
  const PathText full = FullPathOf(path), root = FullPathOf(folder);
  if (Compare(full, root) == 0) return true;
  // A root keeps its separator: "C:\" or "/".
  const PathText prefix = !root.empty() && root.back() == kSeparator ? root : root + kSeparator;
  return full.size() > prefix.size() && Compare(full.substr(0, prefix.size()), prefix) == 0;
}

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
