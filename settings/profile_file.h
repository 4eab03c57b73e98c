// The INI files of the configuration directory, read through the Windows private-profile
// functions, so that the program reads them exactly as the engine does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class ProfileFile {
 public:
  ProfileFile(const char* directory, const char* fileName);
  explicit ProfileFile(std::string path) : path_(std::move(path)) {}

  // The key's value as a decimal integer, or fallback when the file, section or key is missing.
  std::int32_t ReadInteger(const char* section, const char* key, std::int32_t fallback) const;
  // The key's text, or fallback, cut to fit size bytes with the terminator.
  void ReadText(const char* section, const char* key, const char* fallback, char* buffer,
                std::size_t size) const;
  std::string ReadText(const char* section, const char* key) const;

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};
