// ruxtool make run as a game developer runs it: every WAV format it reads, with its channels in
// Vorbis order; loops from the command line and from the input's own tags, under a Japanese file name
// too; the headers it writes; the loudness it levels; and the inputs it refuses, with a message and no
// file left behind.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <complex>
#include <cstring>
#include <vector>

#include "aiff_bytes.h"
#include "file_bytes.h"
#include "flac_bytes.h"
#include "reference_decoder.h"
#include "reference_loudness.h"
#include "temp_directory.h"
#include "tool_run.h"
#include "wav_bytes.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr float kAmplitude = 0.3f;

// WAV channel c carries its own tone; the LFE of 5.1 and 7.1 a low one, as libvorbisenc codes only
// the lowest frequencies there.
double ToneOf(int channel, int channels) { return channels >= 6 && channel == 3 ? 60.0 : 300.0 + 150.0 * channel; }

std::vector<float> Tones(int channels, long rate, long frames) {
  std::vector<float> samples;
  for (long frame = 0; frame < frames; ++frame) {
    for (int channel = 0; channel < channels; ++channel) {
      samples.push_back(kAmplitude * static_cast<float>(std::sin(2 * kPi * ToneOf(channel, channels) * frame / rate)));
    }
  }
  return samples;
}

// The amplitude of the tone in one channel of decoded 16-bit PCM.
double AmplitudeOf(const ReferencePcm& decoded, int channel, double hertz) {
  std::complex<double> sum;
  const long frames = decoded.Frames();
  for (long frame = 0; frame < frames; ++frame) {
    int16_t sample;
    std::memcpy(&sample, &decoded.pcm[(frame * decoded.channels + channel) * 2], 2);
    sum += sample / 32767.0 * std::polar(1.0, -2 * kPi * hertz * frame / decoded.rate);
  }
  return 2 * std::abs(sum) / frames;
}

std::string CurrentFolder() {
  char path[MAX_PATH];
  const DWORD length = GetCurrentDirectoryA(MAX_PATH, path);
  return std::string(path, length) + "\\";
}

class Make : public testing::Test {
 protected:
  DWORD Tool(const std::string& arguments) {
    return RunProgram(Program("ruxtool.exe") + " make " + arguments, directory_ / "output.txt");
  }
  std::string Output() const { return ReadFileBytes(directory_ / "output.txt"); }
  std::string Path(const std::string& name) const { return Quoted(directory_ / name); }
  TempDirectory directory_;
};

struct FormatCase {
  WavShape shape;
  std::vector<int> wavChannelOfVorbisChannel;
};

TEST_F(Make, ReadsEveryInputFormatWithItsChannelsInVorbisOrder) {
  const FormatCase cases[] = {
      {{"8-bit PCM, mono, 22050 Hz", 8, false, false, 1, 22050}, {0}},
      {{"16-bit PCM, stereo, 44100 Hz", 16, false, false, 2, 44100}, {0, 1}},
      {{"24-bit PCM, stereo, 48000 Hz", 24, false, false, 2, 48000}, {0, 1}},
      {{"32-bit PCM, stereo, 32000 Hz", 32, false, false, 2, 32000}, {0, 1}},
      {{"32-bit float, stereo, 44100 Hz", 32, true, false, 2, 44100}, {0, 1}},
      // Vorbis: left, centre, right, rear left, rear right, LFE; WAV: the LFE after the centre.
      {{"extensible 24-bit PCM, 5.1, 48000 Hz", 24, false, true, 6, 48000}, {0, 2, 1, 4, 5, 3}},
      // Vorbis: left, centre, right, side left, side right, rear left, rear right, LFE.
      {{"extensible float, 7.1, 44100 Hz", 32, true, true, 8, 44100}, {0, 2, 1, 6, 7, 4, 5, 3}},
  };
  for (const FormatCase& format : cases) {
    SCOPED_TRACE(format.shape.name);
    const long frames = format.shape.rate / 2;
    WriteFileBytes(directory_ / "input.wav", WavBytes(format.shape, Tones(format.shape.channels, format.shape.rate, frames)));
    ASSERT_EQ(Tool(Path("input.wav") + " " + Path("output.ogg")), 0u) << Output();
    const ReferencePcm decoded = DecodeReference(ReadFileBytes(directory_ / "output.ogg"));
    ASSERT_EQ(decoded.channels, format.shape.channels);
    EXPECT_EQ(decoded.rate, format.shape.rate);
    EXPECT_EQ(decoded.Frames(), frames);
    for (int channel = 0; channel < decoded.channels; ++channel) {
      const int wavChannel = format.wavChannelOfVorbisChannel[channel];
      EXPECT_NEAR(AmplitudeOf(decoded, channel, ToneOf(wavChannel, decoded.channels)), kAmplitude, 0.1) << "channel " << channel;
      for (int other = 0; other < decoded.channels; ++other) {
        if (other == wavChannel) continue;
        EXPECT_LT(AmplitudeOf(decoded, channel, ToneOf(other, decoded.channels)), 0.03) << "channel " << channel;
      }
    }
  }
}

TEST_F(Make, DecodesAnOggVorbisInputAndSaysThatItCostsQuality) {
  const std::string input = CurrentFolder() + "stereo_44100.ogg";
  ASSERT_EQ(Tool(Quoted(input) + " " + Path("output.ogg")), 0u) << Output();
  EXPECT_NE(Output().find("is Ogg Vorbis: it is decoded and encoded again, which costs quality"), std::string::npos)
      << Output();
  const ReferencePcm decoded = DecodeReference(ReadFileBytes(directory_ / "output.ogg"));
  EXPECT_EQ(decoded.Frames(), Reference(kStereo44100).Frames());
}

struct LoopCase {
  const char* name;
  std::string input;
  std::string options;
  long loopStart;
  long loopEnd;
  const char* source;  // as make names it
};

TEST_F(Make, TakesTheLoopFromTheOptionsOrElseFromTheInputsOwnTags) {
  const WavShape shape{"16-bit stereo", 16, false, false, 2, 44100};
  const LoopPoints sampled{30000, 70000};
  WriteFileBytes(directory_ / "sampled.wav", WavBytes(shape, Tones(2, 44100, 88200), &sampled));
  // "Song.flac", its name in the ANSI code page (932), as the command line gives it.
  const std::string japaneseName = directory_ / "曲.flac";
  WriteFileBytes(japaneseName, FlacBytes(2, 44100, 16, Tones(2, 44100, 66150), {"LOOP_START=20000", "LOOP_END=50000"}));
  // Tones repeat every few hundred frames: --exact-loop keeps the points where they are given, and
  // --crossfade 0 the parts' boundary there.
  const std::string exact = "--exact-loop --crossfade 0 ";
  const LoopCase cases[] = {
      {"a WAV smpl chunk", directory_ / "sampled.wav", exact, 30000, 70000, "the input's smpl chunk"},
      {"LOOPSTART and LOOPLENGTH comments", CurrentFolder() + "looping_stereo_44100.ogg", exact, 44100, 110250,
       "the input's LOOPSTART and LOOPLENGTH comments"},
      {"a FLAC's LOOP_START and LOOP_END comments, under a Japanese name", japaneseName, exact, 20000, 50000,
       "the input's LOOP_START and LOOP_END comments"},
      {"options over the tags", directory_ / "sampled.wav", exact + "--loop-start 20000 --loop-end 60000 ", 20000,
       60000, "the command line"},
      {"a loop to the input's end, in seconds", directory_ / "sampled.wav", exact + "--loop-start 0.9s ", 39690,
       88200, "the command line (0.9s is frame 39690)"},
  };
  for (const LoopCase& loop : cases) {
    SCOPED_TRACE(loop.name);
    ASSERT_EQ(Tool(loop.options + Quoted(loop.input) + " " + Path("intro.ogg") + " " + Path("loop.ogg")), 0u)
        << Output();
    EXPECT_EQ(DecodeReference(ReadFileBytes(directory_ / "intro.ogg")).Frames(), loop.loopStart);
    EXPECT_EQ(DecodeReference(ReadFileBytes(directory_ / "loop.ogg")).Frames(), loop.loopEnd - loop.loopStart);
    const std::string played = "through rux2.dll: " + std::to_string(loop.loopEnd + loop.loopEnd - loop.loopStart) + " frames";
    EXPECT_NE(Output().find(played), std::string::npos) << Output();
    EXPECT_NE(Output().find(std::string("from ") + loop.source), std::string::npos) << Output();
  }
}

struct CrossfadeCase {
  const char* name;
  std::string options;
  long introFrames;  // where the parts meet
  long loopFrames;
  const char* line;  // what make says of it
};

TEST_F(Make, BakesACrossfadeIntoTheWrapAndSaysWhereThePartsMeet) {
  WriteFileBytes(directory_ / "tones.wav", WavBytes({"16-bit stereo", 16, false, false, 2, 44100}, Tones(2, 44100, 88200)));
  // The tones of 300 and 450 Hz repeat every 294 frames.
  const CrossfadeCase cases[] = {
      {"music after the loop's end", "--crossfade 0.1s --loop-start 20000 --loop-end 60000 ", 24410, 40000,
       "crossfade:    0.10 s (4410 frames): the music after the loop's end fades out as the loop's start fades in; "
       "the parts meet 4410 frames after the loop's start"},
      {"a loop to the end, too near the start", "--crossfade 0.1s --loop-start 1000 ", 1000, 87200,
       "crossfade:    0.02 s (1000 frames), shortened from 0.10 s to what the input holds before the loop's start: "
       "the loop's end fades out as the music before its start fades in"},
      {"whole periods, chosen", "--loop-start 20000 --loop-end 59984 ", 20000, 39984,
       "crossfade:    none: the music repeats across the loop's seam"},
  };
  for (const CrossfadeCase& crossfade : cases) {
    SCOPED_TRACE(crossfade.name);
    ASSERT_EQ(Tool("--exact-loop " + crossfade.options + Path("tones.wav") + " " + Path("intro.ogg") + " " +
                   Path("loop.ogg")),
              0u)
        << Output();
    EXPECT_NE(Output().find(crossfade.line), std::string::npos) << Output();
    EXPECT_NE(Output().find("join:         cut, the loop's end into its start jumps more than "), std::string::npos)
        << Output();
    EXPECT_NE(Output().find("wrap:         no click"), std::string::npos) << Output();
    EXPECT_EQ(DecodeReference(ReadFileBytes(directory_ / "intro.ogg")).Frames(), crossfade.introFrames);
    EXPECT_EQ(DecodeReference(ReadFileBytes(directory_ / "loop.ogg")).Frames(), crossfade.loopFrames);
    const std::string played =
        "through rux2.dll: " + std::to_string(crossfade.introFrames + 2 * crossfade.loopFrames) + " frames";
    EXPECT_NE(Output().find(played), std::string::npos) << Output();
  }
}

struct HeaderCase {
  const char* options;
  std::string header;
};

TEST_F(Make, PutsTheHeaderTheLibraryReadsBeforeASingleStream) {
  // 2 channels at 44100 Hz, 176400 bytes per second, block align 4, 16 bits, extension size 16.
  const std::string format("\x01\x00\x02\x00\x44\xAC\x00\x00\x10\xB1\x02\x00\x04\x00\x10\x00\x10\x00", 18);
  const std::string frames("\x88\x58\x01\x00", 4);  // 88200
  const HeaderCase cases[] = {
      {"--header rux --value1 0x01020304 --value3 -1",
       std::string("RUX\0\x04\x03\x02\x01", 8) + frames + "\xFF\xFF\xFF\xFF" + format + std::string(2, '\0')},
      {"--header rx2a --value1 7 --extra 00112233445566778899AABBCCDDEEFF",
       std::string("RX2A\x07\x00\x00\x00", 8) + frames + std::string(4, '\0') +
           std::string("\x00\x11\x22\x33\x44\x55\x66\x77\x88\x99\xAA\xBB\xCC\xDD\xEE\xFF", 16) + format + std::string(2, '\0')},
  };
  WriteFileBytes(directory_ / "input.wav", WavBytes({"16-bit stereo", 16, false, false, 2, 44100}, Tones(2, 44100, 88200)));
  for (const HeaderCase& header : cases) {
    SCOPED_TRACE(header.options);
    ASSERT_EQ(Tool(std::string(header.options) + " " + Path("input.wav") + " " + Path("stream.rux")), 0u) << Output();
    const std::string stream = ReadFileBytes(directory_ / "stream.rux");
    ASSERT_GT(stream.size(), header.header.size());
    EXPECT_EQ(stream.substr(0, header.header.size()), header.header);
    EXPECT_EQ(stream.compare(header.header.size(), 4, "OggS"), 0);
  }
}

TEST_F(Make, LevelsWhatPlaysFirstToTheLoudnessAskedForAndSaysWhatItMeasured) {
  // Quiet tones at 48 kHz, where the tests' meter measures: an introduction of a second, a loop of one.
  std::vector<float> quiet = Tones(2, 48000, 96000);
  for (float& sample : quiet) sample *= 0.03f;
  WriteFileBytes(directory_ / "quiet.wav", WavBytes({"16-bit stereo", 16, false, false, 2, 48000}, quiet));
  ASSERT_EQ(Tool("--loudness -16 --loop-start 48000 " + Path("quiet.wav") + " " + Path("intro.ogg") + " " +
                 Path("loop.ogg")),
            0u)
      << Output();
  EXPECT_NE(Output().find("dBTP: the introduction and one pass of the loop (frames 0 to 96000)"), std::string::npos)
      << Output();
  EXPECT_NE(Output().find("gain:         +"), std::string::npos) << Output();
  const std::string heard = DecodeReference(ReadFileBytes(directory_ / "intro.ogg")).pcm +
                            DecodeReference(ReadFileBytes(directory_ / "loop.ogg")).pcm;
  const ReferenceLoudness played = MeasureReferenceLoudness(heard, 2);
  EXPECT_NEAR(played.lufs, -16, 0.5);
  EXPECT_LE(played.truePeakDb, -1 + 0.5);
}

struct BadCase {
  const char* name;
  std::string input;  // the input file's bytes
  std::string arguments;  // before the input; the outputs follow it
  std::string outputs;
  DWORD exitCode;
  const char* message;
};

TEST_F(Make, RefusesWhatItCannotMakeWithAMessageAndLeavesNoFileBehind) {
  const WavShape shape{"16-bit stereo", 16, false, false, 2, 44100};
  const std::vector<float> tones = Tones(2, 44100, 44100);
  const std::string wav = WavBytes(shape, tones);
  std::string shortData = wav, noChannels = wav, adpcm = wav;
  shortData.resize(wav.size() - 1000);
  noChannels[22] = 0;
  adpcm[20] = 2;
  const std::string ogg = StreamBytes(kStereo44100);
  const std::string flac = FlacBytes(2, 44100, 16, tones, {});
  const LoopPoints pastTheEnd{20000, 50000};
  const std::string twoOutputs = Path("intro.ogg") + " " + Path("loop.ogg");
  const BadCase cases[] = {
      {"text", "just some text, no audio", "", twoOutputs, 1, "not an audio file that ruxtool reads"},
      {"a WAV cut short", shortData, "", Path("out.ogg"), 1, "cut short"},
      {"a WAV whose fmt chunk names no channels", noChannels, "", Path("out.ogg"), 1, "Channel count is zero"},
      {"an ADPCM WAV with a PCM fmt chunk", adpcm, "", Path("out.ogg"), 1, "Error in ADPCM WAV file"},
      {"an Ogg Vorbis stream cut short", ogg.substr(0, ogg.size() / 2), "", Path("out.ogg"), 1, "cut short"},
      {"a FLAC cut short", flac.substr(0, flac.size() / 2), "", Path("out.ogg"), 1, "cut short or damaged"},
      {"an AIFF whose loop markers lie past its end", AiffBytes(2, 44100, tones, &pastTheEnd), "", twoOutputs, 1,
       "input.bin: its INST chunk's sustain loop: the loop ends at frame 50000, past the input's end"},
      {"a loop comment that is no number", FlacBytes(2, 44100, 16, tones, {"LOOPSTART=soon"}), "", twoOutputs, 1,
       "its LOOPSTART comment, looping to the end: LOOPSTART \"soon\" is no frame number"},
      {"silence to level to a loudness", WavBytes(shape, std::vector<float>(88200)), "--loudness -16 ",
       Path("out.ogg"), 1, "below the meter's gate of -70 LUFS"},
      {"a true-peak ceiling without a loudness", wav, "--true-peak -2 ", Path("out.ogg"), 2, "give --loudness too"},
      {"no loop for two outputs", wav, "", twoOutputs, 1, "names no loop"},
      {"a loop that ends before it starts", wav, "--loop-start 30000 --loop-end 20000 ", twoOutputs, 1,
       "at or after its end"},
      {"a loop past the input's end", wav, "--loop-start 20000 --loop-end 50000 ", twoOutputs, 1,
       "past the input's end"},
      {"a loop of a few hundred frames", wav, "--loop-start 20000 --loop-end 20500 ", twoOutputs, 1,
       "shorter than four Vorbis blocks"},
      {"an output folder that does not exist", wav, "--loop-start 20000 ", Path("missing\\intro.ogg") + " " +
       Path("loop.ogg"), 1, "cannot write"},
      {"a time without its unit", wav, "--loop-start 0.5 ", twoOutputs, 2, "--loop-start cannot take 0.5"},
      {"a crossfade that is no duration", wav, "--crossfade soon --loop-start 20000 ", twoOutputs, 2,
       "--crossfade cannot take soon"},
      {"a crossfade as long as the loop", wav, "--exact-loop --crossfade 0.5s --loop-start 20000 --loop-end 40000 ",
       twoOutputs, 1,
       "the crossfade of 22050 frames (--crossfade 0.5s) is not shorter than the loop of 20000 frames"},
      {"a crossfade of a single stream", wav, "--crossfade 0.1s ", Path("out.ogg"), 2, "it needs two outputs"},
      {"a loop tolerance that is no duration", wav, "--loop-start 20000 --loop-tolerance soon ", twoOutputs, 2,
       "--loop-tolerance cannot take soon"},
      {"a loop tolerance across the loop", wav, "--loop-start 20000 --loop-end 40000 --loop-tolerance 1s ", twoOutputs, 1,
       "the loop tolerance 1s (44100 frames) reaches across the loop of 20000 frames"},
      {"a header on two parts", wav, "--header rux --loop-start 20000 ", twoOutputs, 2, "plain Ogg Vorbis"},
      {"one file for both parts", wav, "--loop-start 20000 ", Path("loop.ogg") + " " + Path("loop.ogg"), 2,
       "two different files"},
      {"one file for both parts, named in another case", wav, "--loop-start 20000 ",
       Path("loop.ogg") + " " + Path("LOOP.ogg"), 2, "two different files"},
      {"an output that would replace the input", wav, "", Path("INPUT.BIN"), 2, "may not replace the input"},
      {"a loop part that would replace the input", wav, "--loop-start 20000 ",
       Path("intro.ogg") + " " + Quoted(directory_ / ".\\input.bin"), 2, "may not replace the input"},
  };
  for (const BadCase& bad : cases) {
    SCOPED_TRACE(bad.name);
    WriteFileBytes(directory_ / "input.bin", bad.input);
    WriteFileBytes(directory_ / "loop.ogg", "the loop part of yesterday");
    EXPECT_EQ(Tool(bad.arguments + Path("input.bin") + " " + bad.outputs), bad.exitCode) << Output();
    EXPECT_NE(Output().find(bad.message), std::string::npos) << Output();
    EXPECT_EQ(FilesIn(directory_.Path()), (std::vector<std::string>{"input.bin", "loop.ogg", "output.txt"}));
    EXPECT_EQ(ReadFileBytes(directory_ / "loop.ogg"), "the loop part of yesterday");
  }
}

TEST_F(Make, MakesAFolderFileByFilePassingOverWhatIsUpToDateAndGoingOnPastAFileThatFails) {
  const WavShape shape{"16-bit stereo", 16, false, false, 2, 44100};
  const LoopPoints loop{20000, 40000};
  const std::string wav = WavBytes(shape, Tones(2, 44100, 44100), &loop);
  CreateDirectoryA((directory_ / "src").c_str(), nullptr);
  for (const char* folder : {"src\\bgm", "src\\se"}) CreateDirectoryA((directory_ / folder).c_str(), nullptr);
  WriteFileBytes(directory_ / "src\\bgm\\song.wav", wav);
  // A smpl loop that loops.txt takes away, and a sound without one.
  WriteFileBytes(directory_ / "src\\bgm\\jingle.wav", wav);
  WriteFileBytes(directory_ / "src\\bgm\\loops.txt", "# START END NAME\r\n-1 - jingle.wav\r\n");
  WriteFileBytes(directory_ / "src\\se\\click.wav", WavBytes(shape, Tones(2, 44100, 22050)));
  WriteFileBytes(directory_ / "src\\se\\broken.wav", wav.substr(0, wav.size() / 2));
  WriteFileBytes(directory_ / "src\\notes.txt", "not audio");
  const std::string folders = "--exact-loop " + Path("src") + " " + Path("out");

  EXPECT_EQ(Tool("-j 2 " + folders), 1u) << Output();
  for (const char* line : {"] bgm\\song.wav: made, 1.00 s, loop frames 20000 to 40000", "] bgm\\jingle.wav: made, 1.00 s, no loop",
                           "] se\\click.wav: made, 0.50 s, no loop", "] se\\broken.wav: failed: it is cut short",
                           "4 files in "}) {
    EXPECT_NE(Output().find(line), std::string::npos) << line << "\n" << Output();
  }
  EXPECT_EQ(FilesIn(directory_ / "out\\bgm\\"),
            (std::vector<std::string>{"jingle.ogg", "song.intro.ogg", "song.loop.ogg"}));
  EXPECT_EQ(FilesIn(directory_ / "out\\se\\"), std::vector<std::string>{"click.ogg"});
  EXPECT_EQ(DecodeReference(ReadFileBytes(directory_ / "out\\bgm\\song.loop.ogg")).Frames(), 20000);
  const std::string made = ReadFileBytes(directory_ / "out\\bgm\\song.loop.ogg");

  DeleteFileA((directory_ / "src\\se\\broken.wav").c_str());
  EXPECT_EQ(Tool(folders), 0u) << Output();
  EXPECT_NE(Output().find("3 files in"), std::string::npos) << Output();
  EXPECT_NE(Output().find(": 0 made, 3 up to date, 0 failed"), std::string::npos) << Output();
  EXPECT_EQ(ReadFileBytes(directory_ / "out\\bgm\\song.loop.ogg"), made);

  // Other options make other streams.
  EXPECT_EQ(Tool("--quality 3 " + folders), 0u) << Output();
  EXPECT_NE(Output().find(": 3 made, 0 up to date, 0 failed"), std::string::npos) << Output();
}

// The game reads its streams with their files open; Windows will not rename over a file opened without
// FILE_SHARE_DELETE.
TEST_F(Make, ReplacesTheIntroductionAndTheLoopPartTogetherOrNeitherWhileOneIsHeldOpen) {
  WriteFileBytes(directory_ / "input.wav", WavBytes({"16-bit stereo", 16, false, false, 2, 44100}, Tones(2, 44100, 44100)));
  const std::string make = "--exact-loop --loop-start 20000 " + Path("input.wav") + " " + Path("intro.ogg") + " " + Path("loop.ogg");
  for (const char* held : {"intro.ogg", "loop.ogg"}) {
    SCOPED_TRACE(held);
    WriteFileBytes(directory_ / "intro.ogg", "yesterday's introduction");
    WriteFileBytes(directory_ / "loop.ogg", "yesterday's loop part");
    HANDLE game = CreateFileA((directory_ / held).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(game, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Tool(make), 1u) << Output();
    CloseHandle(game);
    EXPECT_NE(Output().find("cannot replace " + directory_ / held + ": another program may hold it open; no output "
                            "was replaced"),
              std::string::npos)
        << Output();
    EXPECT_EQ(ReadFileBytes(directory_ / "intro.ogg"), "yesterday's introduction");
    EXPECT_EQ(ReadFileBytes(directory_ / "loop.ogg"), "yesterday's loop part");
    EXPECT_EQ(FilesIn(directory_.Path()), (std::vector<std::string>{"input.wav", "intro.ogg", "loop.ogg", "output.txt"}));
  }
  ASSERT_EQ(Tool(make), 0u) << Output();
  EXPECT_EQ(DecodeReference(ReadFileBytes(directory_ / "loop.ogg")).Frames(), 24100);
  EXPECT_EQ(DecodeReference(ReadFileBytes(directory_ / "intro.ogg")).Frames(), 20000);
}

}  // namespace
