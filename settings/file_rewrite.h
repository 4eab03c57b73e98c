// Rewriting files in place, all or nothing: each file keeps its identity (links, owner,
// permissions, attributes other than read-only), and a failure puts every file back as it was.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "save_result.h"

class FileRewrite {
 public:
  using Edit = std::function<std::string(const std::string&)>;

  // edit turns the file's bytes (none for a missing file) into the bytes to save.
  FileRewrite(const std::string& directory, std::string name, Edit edit);
  ~FileRewrite();
  FileRewrite(const FileRewrite&) = delete;
  FileRewrite& operator=(const FileRewrite&) = delete;

  // The steps of a save, in order; each false, with Error() set, when it failed.
  // Clears read-only, opens the file against other writers (creating it when missing), reads it.
  bool Open();
  // Writes the part beyond the old end first: a full disk shows before any old byte is touched.
  bool Reserve();
  // Writes the new bytes over the old, and compares what the file then holds with them.
  bool Write();
  // Cuts off what is left of a longer old text.
  bool Cut();
  // Puts the old bytes, length, times and attributes back; removes a file that Open created.
  void Restore();

  const std::string& Name() const { return name_; }
  DWORD Error() const { return error_; }

 private:
  bool Fail();

  std::string path_;
  std::string name_;
  Edit edit_;
  HANDLE file_ = INVALID_HANDLE_VALUE;
  DWORD attributes_ = INVALID_FILE_ATTRIBUTES;
  bool readOnlyCleared_ = false;
  bool created_ = false;
  bool touched_ = false;
  FILETIME times_[3] = {};
  std::string old_;
  std::string new_;
  DWORD error_ = ERROR_SUCCESS;
};

// Takes each step for every file before the next step begins; when one fails, every file is put
// back and the result names that file.
SaveResult RewriteTogether(const std::vector<FileRewrite*>& files);
