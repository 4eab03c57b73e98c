// ProfileFile: the platform's reading rules over the file's own bytes.
#include "profile_file.h"

#include <windows.h>

#include <algorithm>

#include "shift_jis.h"
#include "whole_file.h"

namespace {

std::string BytesOf(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "";
  const auto bytes = ReadWhole(file);
  CloseHandle(file);
  return bytes.value_or("");
}

// The platform reads a number from at most 29 characters of the value.
constexpr std::size_t kNumberLength = 29;

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  return 36;
}

// As the platform converts a value: leading control characters and spaces skipped, a sign, then
// "0x", "0o" or "0b" for another base, digits up to the first that does not belong; the result
// wraps around in 32 bits.
std::int32_t NumberOf(std::string_view text) {
  text = text.substr(0, kNumberLength);
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  const bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  std::uint32_t base = 10;
  if (text.size() >= 2 && text[0] == '0') {
    const char prefix = text[1];
    base = prefix == 'x' ? 16 : prefix == 'o' ? 8 : prefix == 'b' ? 2 : 10;
    if (base != 10) text.remove_prefix(2);
  }
  std::uint32_t value = 0;
  for (const char c : text) {
    const auto digit = static_cast<std::uint32_t>(DigitValue(c));
    if (digit >= base) break;
    value = value * base + digit;
  }
  return static_cast<std::int32_t>(negative ? 0u - value : value);
}

// The longest start of text that fits in length bytes without splitting a two-byte character.
std::string CutAtCharacter(const std::string& text, std::size_t length) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t next = end + (IsLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1);
    if (next > length) break;
    end = next;
  }
  return text.substr(0, std::min(end, text.size()));
}

}  // namespace

ProfileFile::ProfileFile(const std::string& path) : text_(BytesOf(path)) {}

std::int32_t ProfileFile::ReadInteger(const char* section, const char* key, std::int32_t fallback) const {
  const auto value = text_.Value(section, key);
  if (!value || value->empty()) return fallback;
  return NumberOf(*value);
}

std::string ProfileFile::ReadText(const char* section, const char* key, const char* fallback,
                                  std::size_t capacity) const {
  return CutAtCharacter(text_.Value(section, key).value_or(fallback), capacity - 1);
}
