// The bytes of an INI file, read and changed as the platform's private-profile functions read and
// change them, but byte for byte: the engine's files are Shift-JIS whatever the system's code page.
#pragma once

#include <optional>
#include <string>
#include <string_view>

class IniText {
 public:
  explicit IniText(std::string bytes) : bytes_(std::move(bytes)) {}

  // The key's value as the platform returns it: the first section and the first key of those names
  // (ignoring case), spaces around the value trimmed, one pair of enclosing quotes removed, cut at a
  // NUL. None when the section or key is missing or the key's line has no "=".
  std::optional<std::string> Value(std::string_view section, std::string_view key) const;

  // Sets the key to text. An existing key line is rewritten in place; a new key goes after the last
  // line of its section that is not blank, a new section at the end of the file. Every other byte
  // stays as it was; new lines end in CR LF.
  void Set(std::string_view section, std::string_view key, std::string_view text);

  const std::string& Bytes() const { return bytes_; }

 private:
  struct Line;
  struct Section;
  Line LineAt(std::size_t start) const;
  std::optional<Section> FindSection(std::string_view name) const;
  std::optional<Line> FindKey(const Section& section, std::string_view key) const;

  std::string bytes_;
};
