// ReportPage: the skeleton's placeholders {{FILES}} and {{DATA}} filled in; the data last, so that
// nothing in it is taken for a placeholder.
#include "report/report_page.h"

#include <cstring>

namespace {

const char kSkeleton[] = "index.html";

std::string Contents(const PageFile& file) { return std::string(reinterpret_cast<const char*>(file.bytes), file.size); }

void ReplaceAll(std::string& text, const std::string& placeholder, const std::string& value) {
  for (size_t at = text.find(placeholder); at != std::string::npos; at = text.find(placeholder, at + value.size())) {
    text.replace(at, placeholder.size(), value);
  }
}

}  // namespace

std::string ReportPage(const std::string& filesName, const std::string& data) {
  std::string page;
  for (size_t i = 0; i < kPageFileCount; ++i) {
    if (std::strcmp(kPageFiles[i].name, kSkeleton) == 0) page = Contents(kPageFiles[i]);
  }
  ReplaceAll(page, "{{FILES}}", filesName);
  const std::string placeholder = "{{DATA}}";
  return page.replace(page.find(placeholder), placeholder.size(), data);
}

bool WritePageFiles(const ReportFolder& folder, std::string& error) {
  for (size_t i = 0; i < kPageFileCount; ++i) {
    if (std::strcmp(kPageFiles[i].name, kSkeleton) != 0 &&
        !folder.Write(kPageFiles[i].name, Contents(kPageFiles[i]), error)) {
      return false;
    }
  }
  return true;
}
