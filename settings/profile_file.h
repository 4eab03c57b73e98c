// One INI file of the configuration directory, read and written through the Windows
// private-profile functions, so that the program reads it exactly as the engine does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class ProfileFile {
 public:
  ProfileFile(const char* directory, const char* fileName);

  // The key's value as a decimal integer, or fallback when the file, section or key is missing.
  std::int32_t ReadInteger(const char* section, const char* key, std::int32_t fallback) const;
  // The key's text, or fallback, cut to fit size bytes with the terminator.
  void ReadText(const char* section, const char* key, const char* fallback, char* buffer,
                std::size_t size) const;

  // Clears read-only and the other attributes, so that a read-only file can be written.
  void MakeWritable() const;
  // Writes the value as the formatter's "%d" gives it.
  void WriteInteger(const char* section, const char* key, std::int32_t value) const;
  void WriteText(const char* section, const char* key, const char* text) const;

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};
