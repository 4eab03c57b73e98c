// The soundtrack's report, made in the host build from real streams: its players play the streams
// decoded and joined, frame for frame; make's own playback gives what playing them again gives;
// the streams that need an ear are marked; failures are listed while the others go on; the page is
// written whole or not at all.
#include <gtest/gtest.h>

#include <cmath>
#include <regex>

#include "file_bytes.h"
#include "loudness/loudness_meter.h"
#include "make_options/make_request.h"
#include "making/made_from.h"
#include "making/stream_making.h"
#include "music_generator.h"
#include "reference_decoder.h"
#include "report/page_data.h"
#include "report/report_folder.h"
#include "report/soundtrack_report.h"
#include "rux2_under_test.h"
#include "signal_generator.h"
#include "soundtrack/folder_make.h"
#include "system/folder_files.h"
#include "system/free_memory.h"
#include "temp_directory.h"
#include "wav_bytes.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
const auto kNever = [] { return false; };

class Report : public testing::Test {
 protected:
  // A song of the source folder, a 16-bit WAV file with its loop in a smpl chunk.
  void AddSong(const std::string& name, int channels, long rate, const std::vector<float>& samples,
               const LoopPoints* loop) {
    MakeParentFolders(Path("source/" + name));
    WriteFileBytes(Path("source/" + name), WavBytes({"16-bit", 16, false, false, channels, rate}, samples, loop));
  }
  int Make(const std::vector<std::string>& extra = {}, SoundtrackReport* report = nullptr) {
    std::vector<std::string> words{"-j", "1", "--exact-loop"};
    words.insert(words.end(), extra.begin(), extra.end());
    words.insert(words.end(), {Path("source"), Path("made")});
    std::vector<char*> arguments;
    for (std::string& word : words) arguments.push_back(&word[0]);
    MakeOptions options;
    std::string error;
    EXPECT_TRUE(ParseMakeOptions(static_cast<int>(arguments.size()), arguments.data(), options, error)) << error;
    if (!report) return MakeFolder(Rux2(), options, kNever, FreeMemory());
    return MakeFolder(Rux2(), options, kNever, FreeMemory(),
                      [&](const MakeRequest& request) { return report->ListenerFor(request); });
  }
  ReportOptions Options(const std::string& reportFolder) const { return {Path("made"), Path(reportFolder), 1}; }
  int ReportAlone(const std::string& reportFolder, const std::function<bool()>& interrupted = kNever) {
    return ReportSoundtrack(Rux2(), Options(reportFolder), interrupted);
  }
  std::string Page(const std::string& reportFolder) const { return ReadFileBytes(Path(reportFolder + "/index.html")); }
  // A file of the page, beside it in the folder the page names.
  std::string PageFile(const std::string& reportFolder, const std::string& name) const {
    return ReadFileBytes(Path(reportFolder + "/" + FilesNamedBy(Page(reportFolder)) + "/" + name));
  }
  std::string Path(const std::string& name) const { return directory_ / (under_ + name); }
  TempDirectory directory_;
  std::string under_;  // the folder of the test's case, within the temporary one
};

// A song of a bar's introduction and a loop of two bars, written out twice: 7 s.
GeneratedSong ShortSong(unsigned seed) {
  SongShape shape;
  shape.introBars = 1;
  shape.loopBars = 2;
  shape.seed = seed;
  return MakeSong(shape, 2, 44100);
}

// The JSON the page holds, its media numbers left out.
std::string DataOf(const std::string& page) {
  const std::string opening = "id=\"report-data\">";
  const size_t first = page.find(opening) + opening.size();
  return std::regex_replace(page.substr(first, page.find("</script>", first) - first), std::regex("\"[0-9]+-"), "\"");
}

// The samples of a WAV file the report wrote, after its 44-byte header.
std::string WavSamples(const std::string& wav) { return wav.size() < 44 ? std::string() : wav.substr(44); }

struct ExcerptCase {
  const char* name;
  int channels;
  long rate;
  long introFrames;  // 0: no loop, a single stream
  long loopFrames;
};

TEST_F(Report, ThePlayersPlayTheStreamsDecodedAndJoinedFrameForFrame) {
  const ExcerptCase cases[] = {
      {"an introduction of 5 s and a loop of 6 s", 2, 44100, 5 * 44100, 6 * 44100},
      {"an introduction of 1 s and a loop of 2 s, shorter than the players", 2, 48000, 48000, 2 * 48000},
      {"a single stream of 3 s, mono", 1, 22050, 0, 3 * 22050},
  };
  for (const ExcerptCase& excerpt : cases) {
    SCOPED_TRACE(excerpt.name);
    under_ = std::string(excerpt.name).substr(0, 20) + "/";
    const LoopPoints loop{excerpt.introFrames, excerpt.introFrames + excerpt.loopFrames};
    // Music goes on past a loop; a single stream is the whole input.
    const long frames = loop.end + (excerpt.introFrames ? excerpt.rate / 2 : 0);
    AddSong("song.wav", excerpt.channels, excerpt.rate, MakeSignal(excerpt.channels, excerpt.rate, frames, 3),
            excerpt.introFrames ? &loop : nullptr);
    ASSERT_EQ(Make(), 0);
    ASSERT_EQ(ReportAlone("report"), 0);
    const bool twoParts = excerpt.introFrames > 0;
    const std::string intro = twoParts ? DecodeReference(ReadFileBytes(Path("made/song.intro.ogg"))).pcm : "";
    const std::string loopPart =
        DecodeReference(ReadFileBytes(Path(twoParts ? "made/song.loop.ogg" : "made/song.ogg"))).pcm;
    const std::string played = intro + loopPart + loopPart;
    const size_t frameBytes = 2 * static_cast<size_t>(excerpt.channels);
    const auto playedBetween = [&](long first, long end) {
      return played.substr(static_cast<size_t>(first) * frameBytes, static_cast<size_t>(end - first) * frameBytes);
    };
    const long reach = 4 * excerpt.rate, wrap = loop.Length() + excerpt.introFrames;
    EXPECT_TRUE(SamePcm(WavSamples(PageFile("report", "1-wrap.wav")),
                        playedBetween(wrap - std::min(reach, wrap), wrap + std::min(reach, excerpt.loopFrames))));
    if (twoParts) {
      EXPECT_TRUE(SamePcm(
          WavSamples(PageFile("report", "1-entry.wav")),
          playedBetween(loop.start - std::min(reach, loop.start), loop.start + std::min(reach, excerpt.loopFrames))));
    }
  }
}

// Two at once, in make and in the report, as ThreadSanitizer's run of this test watches them.
TEST_F(Report, WhatMakeHeardIsWhatPlayingTheStreamsAgainGives) {
  for (unsigned seed = 1; seed <= 2; ++seed) {
    const GeneratedSong song = ShortSong(seed);
    AddSong("bgm/song" + std::to_string(seed) + ".wav", 2, 44100, song.audio.samples, &song.loop);
  }
  AddSong("se/chime.wav", 1, 44100, MakeSignal(1, 44100, 30000, 5), nullptr);
  ReportOptions twoAtOnce = Options("heard");
  twoAtOnce.jobs = 2;
  SoundtrackReport heard(Rux2(), twoAtOnce);
  std::string error;
  ASSERT_TRUE(heard.Open(error)) << error;
  ASSERT_EQ(Make({"-j", "2"}, &heard), 0);
  ASSERT_EQ(heard.Write(kNever), 0);
  twoAtOnce.reportFolder = Path("played");
  ASSERT_EQ(ReportSoundtrack(Rux2(), twoAtOnce, kNever), 0);
  EXPECT_EQ(DataOf(Page("heard")), DataOf(Page("played")));
  EXPECT_NE(DataOf(Page("played")).find("\"name\":\"bgm/song2\""), std::string::npos) << DataOf(Page("played"));
}

TEST_F(Report, ListsWhatCannotBePlayedWithItsReasonAndReportsTheRest) {
  const GeneratedSong song = ShortSong(1);
  AddSong("a.wav", 2, 44100, song.audio.samples, &song.loop);
  AddSong("b.wav", 2, 44100, MakeSignal(2, 44100, song.audio.Frames(), 2), &song.loop);
  ASSERT_EQ(Make(), 0);
  WriteFileBytes(Path("made/garbage.ogg"), "OggS and then nothing that plays");
  WriteFileBytes(Path("made/lone.intro.ogg"), ReadFileBytes(Path("made/a.intro.ogg")));
  // b's introduction before a's loop part.
  WriteFileBytes(Path("made/mixed.intro.ogg"), ReadFileBytes(Path("made/b.intro.ogg")));
  WriteFileBytes(Path("made/mixed.loop.ogg"), ReadFileBytes(Path("made/a.loop.ogg")));
  EXPECT_EQ(ReportAlone("report"), 1);
  const std::string data = DataOf(Page("report"));
  for (const char* listed :
       {"\"name\":\"garbage\",\"twoParts\":false,\"failure\":\"rux2.dll cannot read the Vorbis headers of its stream",
        "\"name\":\"lone\",\"twoParts\":true,\"failure\":\"its loop part lone.loop.ogg is missing\"",
        "\"name\":\"mixed\",\"twoParts\":true,\"failure\":\"its introduction and loop part were made apart",
        "\"name\":\"a\",\"twoParts\":true,\"channels\":2", "\"name\":\"b\",\"twoParts\":true,\"channels\":2",
        "\"streams\":5,\"marked\":"}) {
    EXPECT_NE(data.find(listed), std::string::npos) << listed << "\n" << data;
  }
  // The failed streams come first.
  EXPECT_LT(data.find("\"name\":\"mixed\""), data.find("\"name\":\"a\""));
}

TEST_F(Report, AFolderWithoutStreamsIsNoReport) {
  MakeParentFolders(Path("made/"));
  EXPECT_EQ(ReportAlone("report"), 1);
  EXPECT_FALSE(IsFolder(directory_ / "report/index.html"));
  EXPECT_TRUE(FilesIn(directory_ / "report/").empty());
}

TEST_F(Report, ThePageIsReplacedWholeOrNotAtAll) {
  AddSong("song.wav", 1, 22050, MakeSignal(1, 22050, 40000, 1), nullptr);
  ASSERT_EQ(Make(), 0);
  ASSERT_EQ(ReportAlone("report"), 0);
  const std::string first = Page("report");
  WriteFileBytes(directory_ / "report/notes.txt", "the developer's own");
  // Stopped after the stream: the page and its files stay as they were, nothing new is left.
  int asked = 0;
  EXPECT_EQ(ReportAlone("report", [&] { return ++asked > 1; }), 1);
  EXPECT_EQ(Page("report"), first);
  EXPECT_EQ(FilesIn(directory_ / "report/" + FilesNamedBy(first) + "/").size(), 7u);
  EXPECT_EQ(FilesIn(directory_ / "report/"), (std::vector<std::string>{"index.html", "notes.txt"}));
  // Made again, it replaces the page and its files, and leaves the rest.
  ASSERT_EQ(ReportAlone("report"), 0);
  EXPECT_NE(FilesNamedBy(Page("report")), FilesNamedBy(first));
  EXPECT_FALSE(IsFolder(directory_ / "report/" + FilesNamedBy(first)));
  EXPECT_EQ(FilesIn(directory_ / "report/"), (std::vector<std::string>{"index.html", "notes.txt"}));
  // A report folder that is a file takes no report.
  EXPECT_EQ(ReportSoundtrack(Rux2(), {directory_ / "made", directory_ / "report/notes.txt", 1}, kNever), 1);
  EXPECT_EQ(ReadFileBytes(directory_ / "report/notes.txt"), "the developer's own");
}

// A stereo tone of 441 Hz, whose period is 100 frames at 44100 Hz.
std::vector<float> Tone(long frames) {
  std::vector<float> samples;
  for (long frame = 0; frame < frames; ++frame) {
    const float value = static_cast<float>(0.5 * std::sin(2 * kPi * frame / 100));
    samples.insert(samples.end(), {value, value});
  }
  return samples;
}

std::vector<float> Shaped(std::vector<float> samples, const std::function<double(long)>& gain) {
  for (size_t i = 0; i < samples.size(); ++i) samples[i] *= static_cast<float>(gain(static_cast<long>(i / 2)));
  return samples;
}

// The song at the loudness: one gain on every sample.
std::vector<float> AtLoudness(std::vector<float> samples, double lufs) {
  PcmAudio audio{2, 44100, samples, {}, {}, {}, false};
  Loudness measured;
  MeasureLoudness(audio, audio.Frames(), measured);
  for (float& sample : samples) sample *= static_cast<float>(std::pow(10, (lufs - measured.lufs) / 20));
  return samples;
}

struct MarkCase {
  const char* name;
  std::vector<float> samples;
  LoopPoints loop;
  const char* marks;
};

TEST_F(Report, MarksTheStreamsThatNeedAnEarAndPutsThemFirst) {
  const GeneratedSong song = ShortSong(1);
  const long second = 44100, frames = 8 * second;
  // Silent for 150 ms either side of the loop's start and end, fading over 300 ms into the silence and
  // out of it.
  const auto dipping = [&](long frame) {
    const long nearest = std::min(std::labs(frame - song.loop.end), std::labs(frame - song.loop.start));
    return std::clamp((static_cast<double>(nearest) / second - 0.15) / 0.3, 0.0, 1.0);
  };
  std::vector<float> loud = song.audio.samples;
  for (float& sample : loud) sample = std::clamp(sample * 8, -0.99f, 0.99f);
  const MarkCase cases[] = {
      {"clean", AtLoudness(song.audio.samples, -20), song.loop, "[]"},
      // From well into a bar back to the middle of another: a cut the music never makes.
      {"cut", AtLoudness(song.audio.samples, -20), {song.loop.start + second * 3 / 10, song.loop.end - second * 7 / 10},
       "[\"join\"]"},
      // A loop of 4.0005 s: a tenth of a period left over, a step in the wave at every wrap, which the
      // join's spectra, the same tone either side, do not hear.
      {"click", AtLoudness(Tone(frames), -20), {2 * second, 6 * second + 10}, "[\"click\"]"},
      {"dip", AtLoudness(Shaped(song.audio.samples, dipping), -20), song.loop, "[\"dip\"]"},
      {"quiet", AtLoudness(song.audio.samples, -27), song.loop, "[\"loudness\"]"},
      {"loud", loud, song.loop, "[\"loudness\",\"truePeak\"]"},
  };
  for (const MarkCase& mark : cases) AddSong(std::string(mark.name) + ".wav", 2, 44100, mark.samples, &mark.loop);
  ASSERT_EQ(Make(), 0);
  ASSERT_EQ(ReportAlone("report"), 0);
  const std::string data = DataOf(Page("report"));
  for (const MarkCase& mark : cases) {
    const size_t stream = data.find("\"name\":\"" + std::string(mark.name) + "\"");
    ASSERT_NE(stream, std::string::npos) << mark.name;
    EXPECT_EQ(data.substr(data.find("\"marks\":", stream) + 8, std::string(mark.marks).size()), mark.marks)
        << mark.name << "\n"
        << data;
  }
  EXPECT_GT(data.find("\"name\":\"clean\""), data.find("\"name\":\"click\""));
  EXPECT_GT(data.find("\"name\":\"clean\""), data.find("\"name\":\"loud\""));
  EXPECT_NE(data.find("\"marked\":5,"), std::string::npos) << data;
}

TEST_F(Report, TheStreamsRecordWhereTheirLoopCameFromWhyItMovedAndHowTheirSeamsPlayed) {
  const GeneratedSong song = ShortSong(1);
  AddSong("song.wav", 2, 44100, song.audio.samples, nullptr);
  std::vector<std::string> words{"--loop-start",
                                 std::to_string(song.loop.start + 992),
                                 "--loop-end",
                                 std::to_string(song.loop.end),
                                 Path("source/song.wav"),
                                 Path("intro.ogg"),
                                 Path("loop.ogg")};
  std::vector<char*> arguments;
  for (std::string& word : words) arguments.push_back(&word[0]);
  MakeOptions options;
  std::string error;
  ASSERT_TRUE(ParseMakeOptions(static_cast<int>(arguments.size()), arguments.data(), options, error)) << error;
  MakeRequest request = RequestFor(options, options.input, "the command line");
  request.introPath = options.output;
  request.loopPath = options.loopOutput;
  MadeStreams made;
  ASSERT_TRUE(MakeStreams(Rux2(), request, kNever, made, error)) << error;
  for (const char* part : {"intro.ogg", "loop.ogg"}) {
    SCOPED_TRACE(part);
    MadeFrom record;
    ASSERT_TRUE(ReadMadeFrom(Path(part), record));
    EXPECT_EQ(record.loop, "frames " + std::to_string(song.loop.start) + " to " + std::to_string(song.loop.end));
    EXPECT_EQ(record.loopFrom, "the command line");
    EXPECT_NE(record.loopMoved.find("the music repeats 992 frames earlier than the start given"), std::string::npos)
        << record.loopMoved;
    ASSERT_EQ(record.seams.size(), 2u);
    for (size_t s = 0; s < 2; ++s) {
      EXPECT_EQ(record.seams[s].name, made.check.seams[s].name);
      EXPECT_TRUE(record.seams[s].measured);
      EXPECT_NEAR(record.seams[s].seamSnr, made.check.seams[s].error.seamSnr, 0.005);
      EXPECT_NEAR(record.seams[s].bodySnr, made.check.seams[s].error.bodySnr, 0.005);
    }
  }
  // The header laid again over the same audio: the parts still play exactly their frames.
  EXPECT_EQ(DecodeReference(ReadFileBytes(Path("intro.ogg"))).Frames(), song.loop.start);
  EXPECT_EQ(DecodeReference(ReadFileBytes(Path("loop.ogg"))).Frames(), song.loop.Length());
}

TEST_F(Report, ShowsTheCrossfadeBakedIntoTheLoopPart) {
  const GeneratedSong song = ShortSong(2);
  AddSong("song.wav", 2, 44100, song.audio.samples, &song.loop);
  ASSERT_EQ(Make({"--crossfade", "0.1s"}), 0);
  ASSERT_EQ(ReportAlone("report"), 0);
  EXPECT_NE(DataOf(Page("report")).find("\"crossfadeFrames\":4410"), std::string::npos) << DataOf(Page("report"));
}

struct RefusedCase {
  const char* name;
  std::vector<std::string> words;  // the folders under the test's
  const char* message;
};

TEST_F(Report, MakeRefusesAReportFolderInTheFolderThatShipsOrInTheSource) {
  MakeParentFolders(Path("source/"));
  const RefusedCase cases[] = {
      {"the output folder", {"--report", "made", "source", "made"}, "may not be the output folder or lie in it"},
      {"inside the output folder", {"--report", "made/report", "source", "made"}, "may not be the output folder"},
      {"inside the source folder",
       {"--report", "source/../source/report", "source", "made"},
       "may not be the source folder"},
      {"a single input", {"--report", "report", "source/song.wav", "song.ogg"}, "--report apply to a folder"},
  };
  for (const RefusedCase& refused : cases) {
    SCOPED_TRACE(refused.name);
    std::vector<std::string> words;
    for (const std::string& word : refused.words) words.push_back(word.compare(0, 2, "--") == 0 ? word : Path(word));
    std::vector<char*> arguments;
    for (std::string& word : words) arguments.push_back(&word[0]);
    MakeOptions options;
    std::string error;
    EXPECT_FALSE(ParseMakeOptions(static_cast<int>(arguments.size()), arguments.data(), options, error));
    EXPECT_NE(error.find(refused.message), std::string::npos) << error;
  }
}

TEST(ReportText, NoTextCanEndThePagesScriptOrBreakItsJson) {
  const std::pair<const char*, const char*> cases[] = {
      {"bgm/曲", "\"bgm/曲\""},
      {"</script><script>alert(1)</script>",
       "\"\\u003c/script\\u003e\\u003cscript\\u003ealert(1)\\u003c/script\\u003e\""},
      {"rock & \"roll\"\\", "\"rock \\u0026 \\\"roll\\\"\\\\\""},
      {"tab\tline\n", "\"tab\\u0009line\\u000a\""},
      {"\x82\xA0 Shift-JIS, not UTF-8", "\"\\ufffd\\ufffd Shift-JIS, not UTF-8\""},
      {"\xE2\x80\xA8", "\"\\u2028\""},
      {"cut short \xE6\x9B", "\"cut short \\ufffd\\ufffd\""},
  };
  for (const auto& text : cases) EXPECT_EQ(JsonString(text.first), text.second) << text.first;
}

}  // namespace
