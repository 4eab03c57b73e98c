// A folder stopped midway, as Ctrl+C stops ruxtool make: the file under way is left as it was, with no
// output half-written beside it, and the files after it are not begun.
#include <gtest/gtest.h>

#include <cmath>

#include "file_bytes.h"
#include "rux2_under_test.h"
#include "soundtrack/folder_make.h"
#include "system/folder_files.h"
#include "temp_directory.h"
#include "wav_bytes.h"

namespace {

std::vector<float> Tone(long frames) {
  std::vector<float> samples;
  for (long frame = 0; frame < frames; ++frame) samples.insert(samples.end(), 2, 0.3f * std::sin(frame * 0.05f));
  return samples;
}

TEST(FolderMake, StoppedBeforeAFileIsCommittedLeavesNothingOfIt) {
  TempDirectory directory;
  MakeParentFolders(directory / "source/");
  const std::string song = WavBytes({"16-bit stereo", 16, false, false, 2, 44100}, Tone(44100));
  for (const char* name : {"source/a.wav", "source/b.wav"}) WriteFileBytes(directory / name, song);
  std::vector<std::string> words{"-j", "1", directory / "source", directory / "made"};
  std::vector<char*> arguments;
  for (std::string& word : words) arguments.push_back(&word[0]);
  MakeOptions options;
  std::string error;
  ASSERT_TRUE(ParseMakeOptions(static_cast<int>(arguments.size()), arguments.data(), options, error)) << error;
  // Asked before the first file, after it is read, levelled and encoded, then once its streams are
  // written and played back: stopped there, before they take their names.
  int asked = 0;
  testing::internal::CaptureStdout();
  EXPECT_EQ(MakeFolder(Rux2(), options, [&] { return ++asked >= 5; }), 1);
  const std::string lines = testing::internal::GetCapturedStdout();
  EXPECT_NE(lines.find("[1/2] a.wav: failed: interrupted"), std::string::npos) << lines;
  EXPECT_NE(lines.find("interrupted, 1 not made"), std::string::npos) << lines;
  EXPECT_TRUE(FilesIn(directory / "made/").empty());
}

}  // namespace
