// Output files that appear whole or not at all: each is written under a temporary name beside its own
// and the set is given its names together once every one of them is complete.
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

  // The temporary name of path, for a caller that writes the file as it goes; empty, with the reason in
  // error, when it cannot be created.
  std::string Begin(const std::string& path, std::string& error);
  // False, with the reason in error, when the file cannot be written whole.
  bool Write(const std::string& path, const std::string& bytes, std::string& error);
  // The bytes of the temporary file written for path, as they were stored.
  std::string ReadBack(const std::string& path) const;
  // Gives every file its own name, replacing what was there: all of them or, when one cannot take its
  // name (another program holds the old file open), none, the old files left as they were. False, with
  // the reason, when none could.
  bool Commit(std::string& error);

 private:
  struct Output {
    std::string path;
    std::string temporary;
  };
  std::vector<Output> outputs_;
};

// Whether a file's name is one of the temporary names outputs are written or set aside under.
bool IsTemporaryOutput(const std::string& name);
// The temporary files under folder that a run ended at once left, removed; an old output that a
// commit set aside and never put back is put back. Returns how many there were.
size_t SweepTemporaryOutputs(const std::string& folder);
// For a run that ends at once (a second Ctrl+C, the console closed): removes the temporary files of
// every output not committed, after any commit under way has ended, and refuses to write others.
// False while some are left, which a job still writes.
bool RemoveTemporaryOutputs();
