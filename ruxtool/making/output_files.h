// Output files that appear whole or not at all: each is written under a temporary name beside its own
// and renamed once every one of them is complete.
#pragma once

#include <string>
#include <vector>

class OutputFiles {
 public:
  OutputFiles() = default;
  // Removes the temporary files of an output that was never committed.
  ~OutputFiles();
  OutputFiles(const OutputFiles&) = delete;
  OutputFiles& operator=(const OutputFiles&) = delete;

  // False, with the reason in error, when the file cannot be written whole.
  bool Write(const std::string& path, const std::string& bytes, std::string& error);
  // The bytes of the temporary file written for path, as they were stored.
  std::string ReadBack(const std::string& path) const;
  // Gives every file its own name, replacing what was there. False, with the reason, when one cannot.
  bool Commit(std::string& error);

 private:
  struct Output {
    std::string path;
    std::string temporary;
  };
  std::vector<Output> outputs_;
};
