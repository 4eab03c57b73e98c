// A folder's loops.txt as other loop tools write it: each line's points read as make's command line
// reads them, the file it names found as Windows finds names, and what cannot be taken named by line.
#include <gtest/gtest.h>

#include "soundtrack/loop_list.h"

namespace {

struct LoopListCase {
  const char* name;
  std::string text;
  std::string file;        // the file looked up
  bool found;
  long long start;         // frames at 44100 Hz; -1 for no loop
  long long end;           // frames; 0 for the file's end
  std::string problem;     // of the file's line, or of the list
};

TEST(LoopList, ReadsEachLineAsOtherLoopToolsWriteIt) {
  const LoopListCase cases[] = {
      {"frames", "196320 4429000 song.wav\n", "song.wav", true, 196320, 4429000, ""},
      {"seconds and minutes, the end the file's", "4.5s - title theme.flac\n", "title theme.flac", true, 198450, 0, ""},
      {"minutes and seconds", "0:01.5 1:00 a.wav\n", "a.wav", true, 66150, 2646000, ""},
      {"no loop, whatever the tags say", "-1 - click.wav\n", "click.wav", true, -1, 0, ""},
      {"comments, blank lines, a byte order mark, CRLF", "\xEF\xBB\xBF# loops\r\n\r\n100 200 b.wav\r\n", "b.wav", true,
       100, 200, ""},
      {"names without regard to ASCII case", "100 200 Song.WAV\n", "song.wav", true, 100, 200, ""},
      // "曲.wav" in code page 932: its second byte is no letter to fold.
      {"a Japanese name as it is", "100 200 \x8B\xC8.wav\n", "\x8B\xC8.wav", true, 100, 200, ""},
      {"another file's line", "100 200 other.wav\n", "song.wav", false, 0, 0, ""},
      {"a start that is no point", "soon 200 song.wav\n", "song.wav", false, 0, 0,
       "loops.txt line 1: the start soon is no frame, time or -1"},
      {"a decimal without its unit", "1 2.5 song.wav\n", "song.wav", false, 0, 0,
       "loops.txt line 1: the end 2.5 is no frame, time or -"},
      {"a file named twice", "1 2 song.wav\n3 4 song.wav\n", "song.wav", false, 0, 0,
       "loops.txt names it on lines 1 and 2"},
      {"a line without a name", "#\n100 200\n", "song.wav", false, 0, 0, "loops.txt line 2: it is not START END NAME"},
  };
  for (const LoopListCase& test : cases) {
    SCOPED_TRACE(test.name);
    const LoopList list = ParseLoopList(test.text);
    std::string problem;
    const LoopListEntry* entry = list.Find(test.file, problem);
    if (problem.empty() && !list.problems.empty()) problem = list.problems.front();
    EXPECT_EQ(problem, test.problem);
    ASSERT_EQ(entry != nullptr, test.found);
    if (!entry) continue;
    EXPECT_EQ(entry->noLoop, test.start < 0);
    if (test.start >= 0) EXPECT_EQ(entry->start.FrameAt(44100), test.start);
    EXPECT_EQ(entry->endGiven, test.end != 0);
    if (test.end) EXPECT_EQ(entry->end.FrameAt(44100), test.end);
  }
}

}  // namespace
