// ReportFolder: the page names its files' folder in a meta element, which is how the next report
// finds what to remove, and never anything it did not write.
#include "report/report_folder.h"

#include <ctime>

#include "making/output_files.h"
#include "system/file_access.h"
#include "system/folder_files.h"
#include "system/path_names.h"

namespace {

const char kFilesPrefix[] = "index_files-";
const char kWorkingSuffix[] = ".ruxtool-part";
const char kFilesMeta[] = "<meta name=\"ruxtool-report-files\" content=\"";

std::string TimeStamp() {
  const std::time_t now = std::time(nullptr);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", std::localtime(&now));
  return text;
}

bool Exists(const std::string& path) { return IsFolder(path) || !FileStamp(path).empty(); }

}  // namespace

std::string FilesNamedBy(const std::string& page) {
  const size_t meta = page.find(kFilesMeta);
  if (meta == std::string::npos) return {};
  const size_t first = meta + sizeof kFilesMeta - 1, end = page.find('"', first);
  const std::string name = page.substr(first, end == std::string::npos ? 0 : end - first);
  // Only a name of the report's own making, never a path elsewhere.
  const bool own =
      name.compare(0, sizeof kFilesPrefix - 1, kFilesPrefix) == 0 && name.find_first_of("/\\:.") == std::string::npos;
  return own ? name : std::string();
}

ReportFolder::~ReportFolder() {
  if (!working_.empty()) RemoveFolderAndFiles(working_);
}

bool ReportFolder::Open(const std::string& folder, std::string& error) {
  folder_ = folder;
  const std::string stamp = kFilesPrefix + TimeStamp();
  filesName_ = stamp;
  for (int count = 2; Exists(JoinedPath(folder, filesName_)) || Exists(JoinedPath(folder, filesName_ + kWorkingSuffix));
       ++count) {
    filesName_ = stamp + "-" + std::to_string(count);
  }
  working_ = JoinedPath(folder, filesName_ + kWorkingSuffix);
  if (MakeParentFolders(JoinedPath(working_, "page")) && IsFolder(working_)) return true;
  error = "cannot make the report folder " + folder + ": its parent may not be written, or a file has its name";
  working_.clear();
  return false;
}

bool ReportFolder::Write(const std::string& name, const std::string& bytes, std::string& error) const {
  if (WriteWholeFile(JoinedPath(working_, name), bytes)) return true;
  error = "cannot write the report's " + name + " into " + folder_ + ": the disk may be full";
  return false;
}

std::string ReportFolder::PagePath() const { return JoinedPath(folder_, "index.html"); }

bool ReportFolder::Commit(const std::string& page, std::string& error) {
  const std::string files = JoinedPath(folder_, filesName_);
  if (!RenameReplacing(working_, files)) {
    error = "cannot name the report's files in " + folder_;
    return false;
  }
  working_ = files;
  const std::string previous = ReadWholeFile(PagePath());
  OutputFiles output;
  if (!output.Write(PagePath(), page, error) || !output.Commit(error)) return false;
  working_.clear();
  const std::string old = FilesNamedBy(previous);
  if (!old.empty() && old != filesName_) RemoveFolderAndFiles(JoinedPath(folder_, old));
  return true;
}
