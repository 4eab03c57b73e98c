// The report page: its fixed parts (the skeleton, the style, the script and both languages' texts),
// kept as files in ruxtool/report/page and built into ruxtool, with the report's data put in.
#pragma once

#include <cstddef>
#include <string>

#include "report/report_folder.h"

struct PageFile {
  const char* name;
  const unsigned char* bytes;
  size_t size;
};
extern const PageFile kPageFiles[];
extern const size_t kPageFileCount;

// index.html, naming the folder of its files and holding the data (see PageData).
std::string ReportPage(const std::string& filesName, const std::string& data);
// The style, the script and the texts, beside the pictures and sound. False, with the reason in error,
// when one cannot be written.
bool WritePageFiles(const ReportFolder& folder, std::string& error);
