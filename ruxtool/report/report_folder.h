// A report folder that takes a new report whole or not at all: the page's files go into a folder of
// their own, named for the time it was made, under a temporary name; it takes its name, then the page
// (index.html) is replaced whole, and the previous report's files are removed.
#pragma once

#include <string>

class ReportFolder {
 public:
  ReportFolder() = default;
  // Removes the new files of a report that was never committed.
  ~ReportFolder();
  ReportFolder(const ReportFolder&) = delete;
  ReportFolder& operator=(const ReportFolder&) = delete;

  // Makes the folder, and its parents, as needed. False, with the reason in error, when it cannot.
  bool Open(const std::string& folder, std::string& error);
  // A file that the page uses, by its name alone. False, with the reason in error, when it cannot be
  // written whole.
  bool Write(const std::string& name, const std::string& bytes, std::string& error) const;
  // The name the page finds its files under, beside it.
  const std::string& FilesName() const { return filesName_; }
  std::string PagePath() const;
  // False, with the reason in error, and the previous report left as it was, when the page or its
  // files cannot take their names.
  bool Commit(const std::string& page, std::string& error);

 private:
  std::string folder_;
  std::string filesName_;
  std::string working_;  // the files' folder under its temporary name, until committed
};

// The name of the files' folder that a page written by ReportFolder names; empty for any other page.
std::string FilesNamedBy(const std::string& page);
