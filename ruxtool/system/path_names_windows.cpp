// The paths through GetFullPathNameA and CompareStringOrdinal, which folds case as NTFS does.
#include <windows.h>

#include "system/path_names.h"

namespace {

std::wstring Wide(const std::string& text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
  return wide;
}

std::wstring TrimmedFullPath(const std::string& path) {
  std::wstring full = Wide(FullPath(path));
  while (full.size() > 3 && (full.back() == L'\\' || full.back() == L'/')) full.pop_back();
  return full;
}

bool SameNames(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

}  // namespace

std::string FullPath(const std::string& path) {
  char full[MAX_PATH * 4];
  const DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  return length == 0 || length >= sizeof full ? path : std::string(full, length);
}

bool LiesWithin(const std::string& path, const std::string& folder) {
  const std::wstring inner = TrimmedFullPath(path), outer = TrimmedFullPath(folder);
  if (inner.size() < outer.size() || !SameNames(inner.substr(0, outer.size()), outer)) return false;
  return inner.size() == outer.size() || inner[outer.size()] == L'\\' || outer.back() == L'\\';
}

std::string Utf8FromNative(const std::string& text) {
  const std::wstring wide = Wide(text);
  const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0], length, nullptr, nullptr);
  return utf8;
}
