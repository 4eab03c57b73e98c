// One INI file of the configuration directory, read once and looked up as the engine's profile
// functions look it up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "ini_text.h"

class ProfileFile {
 public:
  // A missing or unreadable file reads as empty: every key takes its fallback.
  explicit ProfileFile(const std::string& path);

  // The key's value as a decimal integer, or fallback when the file, section or key is missing or
  // the value is empty.
  std::int32_t ReadInteger(const char* section, const char* key, std::int32_t fallback) const;
  // The key's text, or fallback, cut to fit capacity bytes with the terminator. The cut never
  // leaves the lead byte of a two-byte character behind.
  std::string ReadText(const char* section, const char* key, const char* fallback, std::size_t capacity) const;

 private:
  IniText text_;
};
