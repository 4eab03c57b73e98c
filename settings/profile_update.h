// The keys one save writes into one INI file, in the order of writing.
#pragma once

#include <string>
#include <vector>

class ProfileUpdate {
 public:
  void WriteText(const char* section, const char* key, const char* text);
  void WriteInteger(const char* section, const char* key, int value);

  // The file's bytes after every write, each made as the platform's WritePrivateProfileStringA
  // makes it: replaced in place, appended to its section, or in a new section at the end.
  std::string AppliedTo(const std::string& bytes) const;

 private:
  struct Write {
    std::string section;
    std::string key;
    std::string text;
  };
  std::vector<Write> writes_;
};
