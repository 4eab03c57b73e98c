// The command line of a program that starts at wmain, as UTF-8 words for the parsers, which take char**.
#pragma once

#include <string>
#include <vector>

class Utf8Arguments {
 public:
  Utf8Arguments(int count, wchar_t** arguments);
  Utf8Arguments(const Utf8Arguments&) = delete;
  Utf8Arguments& operator=(const Utf8Arguments&) = delete;

  int Count() const { return static_cast<int>(words_.size()); }
  // argv as main takes it, the words in UTF-8; valid while this object lives.
  char** Words() { return pointers_.data(); }

 private:
  std::vector<std::string> words_;
  std::vector<char*> pointers_;
};
