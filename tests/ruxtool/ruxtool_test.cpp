// ruxtool's info and decode on streams of the build: the sample stream made by ruxtool make from the
// sample phrase, decoded with its loops; a stream inside a larger file; the information it shows.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "file_bytes.h"
#include "reference_decoder.h"
#include "temp_directory.h"
#include "test_streams.h"
#include "tool_run.h"
#include "wav_bytes.h"

namespace {

struct WavFile {
  unsigned channels = 0;
  unsigned long rate = 0;
  std::string pcm;
};

unsigned long LittleEndianAt(const std::string& bytes, size_t position, int width) {
  unsigned long value = 0;
  for (int i = width - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[position + i]);
  return value;
}

// The tool's WAV files: the 44-byte header of 16-bit PCM, then the samples.
WavFile ReadWav(const std::string& path) {
  const std::string bytes = ReadFileBytes(path);
  WavFile wav;
  if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") || bytes.compare(8, 8, "WAVEfmt ") ||
      LittleEndianAt(bytes, 20, 2) != 1 || LittleEndianAt(bytes, 34, 2) != 16 ||
      bytes.compare(36, 4, "data")) {
    return wav;
  }
  wav.channels = LittleEndianAt(bytes, 22, 2);
  wav.rate = LittleEndianAt(bytes, 24, 4);
  wav.pcm = bytes.substr(44, LittleEndianAt(bytes, 40, 4));
  return wav;
}

class Ruxtool : public testing::Test {
 protected:
  DWORD Tool(const std::string& arguments) {
    return RunProgram(Program("ruxtool.exe") + " " + arguments, Output());
  }
  // The sample phrase, in the folder "sample" of the test's folder.
  std::string MakePhrase() {
    const std::string sample = directory_ / "sample";
    EXPECT_EQ(RunProgram(Program("make_sample_soundtrack.exe") + " " + Quoted(sample), Output()), 0u)
        << ReadFileBytes(Output());
    return sample;
  }
  std::string Output() const { return directory_ / "output.txt"; }
  TempDirectory directory_;
};

TEST_F(Ruxtool, MakesTheSampleStreamThatDecodesWithItsLoopsLikeTheReference) {
  const std::string sample = MakePhrase();
  const std::string intro = sample + "\\intro.ogg";
  const std::string loop = sample + "\\loop.ogg";
  ASSERT_EQ(Tool("make " + Quoted(sample + "\\phrase.wav") + " " + Quoted(intro) + " " + Quoted(loop)), 0u)
      << ReadFileBytes(Output());
  const std::string report = ReadFileBytes(Output());
  EXPECT_NE(report.find("seam introduction -> loop part"), std::string::npos) << report;
  EXPECT_NE(report.find("seam loop part -> loop part"), std::string::npos) << report;
  const std::string loopPcm = DecodeReference(ReadFileBytes(loop)).pcm;
  const std::string expected = DecodeReference(ReadFileBytes(intro)).pcm + loopPcm + loopPcm;
  for (const char* source : {"", "--file "}) {
    const std::string wavPath = directory_ / "sample.wav";
    ASSERT_EQ(Tool("decode " + std::string(source) + "--loop " + Quoted(loop) + " --loops 2 " +
                   Quoted(intro) + " " + Quoted(wavPath)),
              0u)
        << ReadFileBytes(Output());
    const WavFile wav = ReadWav(wavPath);
    EXPECT_EQ(wav.channels, 2u);
    EXPECT_EQ(wav.rate, 44100u);
    EXPECT_TRUE(SamePcm(wav.pcm, expected)) << source;
  }
}

// The phrase's four bars at 123 beats a minute are 344195.12 frames long.
TEST_F(Ruxtool, FindsThePhrasesLoopAndMakesThePartsOfTheBestOnAsked) {
  const std::string phrase = Quoted(MakePhrase() + "\\phrase.wav");
  ASSERT_EQ(Tool("find-loop --count 2 " + phrase), 0u) << ReadFileBytes(Output());
  const std::string found = ReadFileBytes(Output());
  long start = 0, end = 0;
  double score = 0;
  ASSERT_EQ(std::sscanf(found.c_str(), "%ld %ld %lf\n", &start, &end, &score), 3) << found;
  EXPECT_EQ(end - start, 344195) << found;
  EXPECT_LE(std::count(found.begin(), found.end(), '\n'), 2) << found;
  // Points given 0.1 s off, known to within 0.2 s: the best join within reach first, with its figure.
  const std::string roughly = "--count 1 --loop-start " + std::to_string(start + 4410) + " --loop-end " + std::to_string(end) +
                           " --loop-tolerance 0.2s ";
  ASSERT_EQ(Tool("find-loop " + roughly + phrase), 0u) << ReadFileBytes(Output());
  const std::string joined = ReadFileBytes(Output());
  long joinStart = 0, joinEnd = 0;
  ASSERT_EQ(std::sscanf(joined.c_str(), "%ld %ld", &joinStart, &joinEnd), 2) << joined;
  EXPECT_LE(std::labs(joinStart - start - 4410), 8820) << joined;
  EXPECT_LE(std::labs(joinEnd - end), 8820) << joined;
  EXPECT_NE(joined.find(", join at percentile "), std::string::npos) << joined;
  EXPECT_EQ(Tool("find-loop --loop-tolerance 0.2s " + phrase), 2u);
  EXPECT_NE(ReadFileBytes(Output()).find("--loop-start and --loop-tolerance go together"), std::string::npos);
  ASSERT_EQ(Tool("make --loop-start auto " + phrase + " " + Quoted(directory_ / "intro.ogg") + " " +
                 Quoted(directory_ / "loop.ogg")),
            0u)
      << ReadFileBytes(Output());
  const std::string made = ReadFileBytes(Output());
  EXPECT_NE(made.find("loop:         frames " + std::to_string(start) + " to " + std::to_string(end) +
                      ", from the best loop the search finds"),
            std::string::npos)
      << made;
}

TEST_F(Ruxtool, SaysThatNothingRepeatsInNoiseAndFails) {
  std::vector<float> noise(44100 * 4);
  unsigned state = 1;
  for (float& sample : noise) {
    state = state * 1664525u + 1013904223u;
    sample = static_cast<float>(state >> 8) / 16777216.0f - 0.5f;
  }
  WriteFileBytes(directory_ / "noise.wav", WavBytes({"noise", 16, false, false, 1, 44100}, noise));
  EXPECT_EQ(Tool("find-loop " + Quoted(directory_ / "noise.wav")), 1u);
  EXPECT_NE(ReadFileBytes(Output()).find("nothing in"), std::string::npos) << ReadFileBytes(Output());
  EXPECT_NE(ReadFileBytes(Output()).find("repeats for 3 s or longer"), std::string::npos);
}

TEST_F(Ruxtool, DecodesAStreamInsideALargerFile) {
  const std::string& stream = StreamBytes(kStereo48000);
  const std::string pack = directory_ / "pack.bin";
  WriteFileBytes(pack, std::string(1000, 'j') + stream + std::string(300, 'j'));
  const std::string once = Reference(kStereo48000).pcm;
  for (const char* source : {"", "--file "}) {
    const std::string wavPath = directory_ / "stream.wav";
    ASSERT_EQ(Tool("decode " + std::string(source) + "--offset 1000 --size " + std::to_string(stream.size()) +
                   " --loops 2 " + Quoted(pack) + " " + Quoted(wavPath)),
              0u)
        << ReadFileBytes(Output());
    const WavFile wav = ReadWav(wavPath);
    EXPECT_EQ(wav.rate, 48000u);
    EXPECT_TRUE(SamePcm(wav.pcm, once + once)) << source;
  }
}

TEST_F(Ruxtool, ShowsTheLengthAndTheFormatBeforeAndAfterDetection) {
  WriteFileBytes(directory_ / "mono.ogg", StreamBytes(kMono22050));
  ASSERT_EQ(Tool(Quoted(directory_ / "mono.ogg") + " info"), 2u);
  ASSERT_EQ(Tool("info " + Quoted(directory_ / "mono.ogg")), 0u);
  const std::string shown = ReadFileBytes(Output());
  EXPECT_NE(shown.find("length:       66150 frames"), std::string::npos) << shown;
  EXPECT_NE(shown.find("format:       tag 1, 1 channels, 22050 Hz, 44100 bytes/s, block align 2"),
            std::string::npos)
      << shown;
  EXPECT_NE(shown.find("detection:    0"), std::string::npos) << shown;
}

// decode writes under a temporary name: a file the player holds open keeps what it held.
TEST_F(Ruxtool, DecodeReplacesItsOutputOnlyWhenThePlaybackIsWhole) {
  WriteFileBytes(directory_ / "mono.ogg", StreamBytes(kMono22050));
  const std::string wavPath = directory_ / "mono.wav";
  const std::string decode = "decode --loops 3 " + Quoted(directory_ / "mono.ogg") + " " + Quoted(wavPath);
  WriteFileBytes(wavPath, "yesterday's playback");
  HANDLE player = CreateFileA(wavPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_EQ(Tool(decode), 1u) << ReadFileBytes(Output());
  CloseHandle(player);
  EXPECT_NE(ReadFileBytes(Output()).find("cannot replace " + wavPath), std::string::npos) << ReadFileBytes(Output());
  EXPECT_EQ(ReadFileBytes(wavPath), "yesterday's playback");
  ASSERT_EQ(Tool(decode), 0u) << ReadFileBytes(Output());
  const std::string once = Reference(kMono22050).pcm;
  EXPECT_TRUE(SamePcm(ReadWav(wavPath).pcm, once + once + once));
  EXPECT_EQ(FilesIn(directory_.Path()), (std::vector<std::string>{"mono.ogg", "mono.wav", "output.txt"}));
}

// A 32-bit program that is large address aware gets 4 GiB of address space on a 64-bit Windows.
TEST(RuxtoolExe, IsLargeAddressAware) {
  const std::string program = Program("ruxtool.exe");
  const std::string bytes = ReadFileBytes(program.substr(1, program.size() - 2));
  ASSERT_GT(bytes.size(), 0x40u);
  const unsigned long header = LittleEndianAt(bytes, 0x3C, 4);
  ASSERT_EQ(bytes.compare(header, 4, std::string("PE\0\0", 4)), 0);
  // IMAGE_FILE_LARGE_ADDRESS_AWARE in the COFF header's Characteristics.
  EXPECT_TRUE(LittleEndianAt(bytes, header + 22, 2) & 0x0020);
}

}  // namespace
