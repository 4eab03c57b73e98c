// A folder's loops.txt as other loop tools write it and Notepad saves it: each line's points read as
// make's command line reads them, its text in UTF-8 or code page 932, the file it names found as
// Windows finds names, and what cannot be taken named by line.
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
      // The folder lists names in UTF-8: ア is E3 82 A2, ヂ E3 83 82, 表 E8 A1 A8, ソ E3 82 BD, 能 E8 83 BD.
      // In code page 932 ア is 83 41 and ヂ 83 61, whose second bytes are the codes of A and a; 表 is
      // 95 5C, ソ 83 5C and 能 94 5C, whose second byte is a backslash's.
      {"UTF-8, as Notepad saves it", "100 200 \xE3\x82\xA2.wav\n", "\xE3\x82\xA2.wav", true, 100, 200, ""},
      {"UTF-8 with a byte order mark", "\xEF\xBB\xBF" "100 200 \xE8\xA1\xA8\xE3\x82\xBD.wav\r\n",
       "\xE8\xA1\xA8\xE3\x82\xBD.wav", true, 100, 200, ""},
      {"code page 932", "100 200 \x83\x41.wav\n", "\xE3\x82\xA2.wav", true, 100, 200, ""},
      {"code page 932 whose second bytes are backslashes", "100 200 \x95\x5C\x83\x5C\x94\x5C.wav\n",
       "\xE8\xA1\xA8\xE3\x82\xBD\xE8\x83\xBD.wav", true, 100, 200, ""},
      {"UTF-8: ア is not ヂ", "100 200 \xE3\x82\xA2.wav\n", "\xE3\x83\x82.wav", false, 0, 0, ""},
      {"code page 932: ア is not ヂ", "100 200 \x83\x41.wav\n", "\xE3\x83\x82.wav", false, 0, 0, ""},
      {"code page 932: ヂ is not ア", "100 200 \x83\x61.wav\n", "\xE3\x82\xA2.wav", false, 0, 0, ""},
      // E3 82 without its third byte is no UTF-8, so the file is code page 932 throughout.
      {"UTF-8 but for one character", "100 200 \xE3\x82\xA2.wav\n100 200 \xE3\x82.wav\n", "\xE3\x82\xA2.wav", false,
       0, 0, ""},
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
