// Paths compared by where they lead, as make compares its output folder with its input folder: "."
// and ".." resolved, relative paths from the current folder, names without regard to case.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>

#include "system/path_names.h"

namespace {

struct PathCase {
  const char* path;
  const char* folder;
  bool sameOrUnder;
};

TEST(PathNames, TellsAPathUnderAFolderByWhereItLeads) {
  char current[PATH_MAX];
  ASSERT_NE(getcwd(current, sizeof current), nullptr);
  const std::string absolute = std::string(current) + "/src/out";
  const PathCase cases[] = {
      {"src", "src", true},
      {"src/", "src", true},
      {"src/out", "src", true},
      {"./src/out", "src/", true},
      {"src/out", "./src", true},
      {"SRC/Out", "src", true},
      {absolute.c_str(), "src", true},
      {"out/../src/out", "src", true},
      {"/tmp", "/", true},
      // 表 and 表/out in UTF-8.
      {"\xE8\xA1\xA8/out", "\xE8\xA1\xA8", true},
      {"src-out", "src", false},
      {"srcout", "src", false},
      {"src/../out", "src", false},
      {"src", "src/out", false},
  };
  for (const PathCase& test : cases) {
    SCOPED_TRACE(std::string(test.path) + " in " + test.folder);
    EXPECT_EQ(IsSameOrUnder(test.path, test.folder), test.sameOrUnder);
  }
  EXPECT_TRUE(SamePath("out/intro.ogg", "./OUT/Intro.ogg"));
  EXPECT_FALSE(SamePath("out/intro.ogg", "out/loop.ogg"));
}

}  // namespace
