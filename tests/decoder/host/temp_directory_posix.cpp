// TempDirectory for the host build: a folder made by mkdtemp, removed with everything in it.
#include <stdlib.h>

#include <filesystem>

#include "temp_directory.h"

TempDirectory::TempDirectory() {
  const char* base = getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/vesk-test-XXXXXX";
  path_ = std::string(mkdtemp(&pattern[0])) + "/";
}

TempDirectory::~TempDirectory() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}
