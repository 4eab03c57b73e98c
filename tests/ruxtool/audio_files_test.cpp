// ruxtool's readers on a file of every input format, written by the tests: the samples in Vorbis
// channel order, the format, and the loop where the format carries one; and the loop comments of Ogg
// Vorbis and FLAC files in every spelling.
#include <gtest/gtest.h>
#include <ogg/ogg.h>
#include <sndfile.h>

#include <cmath>
#include <cstring>
#include <functional>

#include "aiff_bytes.h"
#include "audio_files/audio_file.h"
#include "audio_files/loop_tags.h"
#include "file_bytes.h"
#include "flac_bytes.h"
#include "temp_directory.h"
#include "wav_bytes.h"

namespace {

constexpr long kFrames = 6000;
constexpr LoopPoints kLoop{1500, 4500};
// The comments of make_test_streams.sh's looping stream.
constexpr long kOggFrames = 3 * 44100;
constexpr LoopPoints kOggLoop{44100, 44100 + 66150};

// File channel c carries a tone of its own.
std::vector<float> Tones(int channels, long frames) {
  std::vector<float> samples;
  for (long frame = 0; frame < frames; ++frame) {
    for (int channel = 0; channel < channels; ++channel) {
      samples.push_back(0.5f * static_cast<float>(std::sin(frame * (channel + 1) * 0.013)));
    }
  }
  return samples;
}

using Writer = std::function<void(const std::string& path, const std::vector<float>& samples)>;

Writer WavWriter(const WavShape& shape, const LoopPoints* loop = nullptr) {
  return [shape, loop](const std::string& path, const std::vector<float>& samples) {
    WriteFileBytes(path, WavBytes(shape, samples, loop));
  };
}

Writer SndfileWriter(int format, int channels, long rate) {
  return [=](const std::string& path, const std::vector<float>& samples) {
    SF_INFO info{0, static_cast<int>(rate), channels, format, 0, 0};
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    sf_writef_float(file, samples.data(), static_cast<sf_count_t>(samples.size() / channels));
    sf_close(file);
  };
}

struct InputFormat {
  const char* name;
  int channels;
  long rate;
  Writer write;
  double tolerance;  // of each sample; negative for a lossy format, whose samples are not compared
  std::vector<int> fileChannelOfVorbisChannel;
  long frames;
  std::string loopTag;  // empty where the file names no loop
  LoopPoints loop;
};

TEST(AudioFiles, ReadsEveryInputFormatWithItsChannelsInVorbisOrderAndItsLoop) {
  const double bits16 = 1.0 / 32768, bits24 = 1.0 / 8388608;
  const InputFormat formats[] = {
      {"WAV, 16-bit PCM, with a smpl chunk", 2, 44100, WavWriter({"", 16, false, false, 2, 44100}, &kLoop), bits16,
       {0, 1}, kFrames, "smpl chunk", kLoop},
      {"WAV, WAVE_FORMAT_EXTENSIBLE float, 5.1", 6, 48000, WavWriter({"", 32, true, true, 6, 48000}), 0,
       {0, 2, 1, 4, 5, 3}, kFrames, "", {}},
      {"RF64, 24-bit PCM", 2, 48000, SndfileWriter(SF_FORMAT_RF64 | SF_FORMAT_PCM_24, 2, 48000), bits24, {0, 1},
       kFrames, "", {}},
      {"W64, 32-bit float", 1, 22050, SndfileWriter(SF_FORMAT_W64 | SF_FORMAT_FLOAT, 1, 22050), 0, {0}, kFrames, "",
       {}},
      {"AIFF, 16-bit PCM, with INST and MARK chunks", 2, 44100,
       [](const std::string& path, const std::vector<float>& samples) {
         WriteFileBytes(path, AiffBytes(2, 44100, samples, &kLoop));
       },
       bits16, {0, 1}, kFrames, "INST chunk's sustain loop", kLoop},
      {"AIFC, 32-bit float", 2, 96000, SndfileWriter(SF_FORMAT_AIFF | SF_FORMAT_FLOAT, 2, 96000), 0, {0, 1}, kFrames,
       "", {}},
      {"FLAC, 24 bits, 5.1, with LOOPSTART and LOOPLENGTH comments", 6, 48000,
       [](const std::string& path, const std::vector<float>& samples) {
         WriteFileBytes(path, FlacBytes(6, 48000, 24, samples, {"TITLE=loop", "LOOPSTART=1500", "LOOPLENGTH=3000"}));
       },
       bits24, {0, 2, 1, 4, 5, 3}, kFrames, "LOOPSTART and LOOPLENGTH comments", kLoop},
      {"CAF, 16-bit PCM", 2, 44100, SndfileWriter(SF_FORMAT_CAF | SF_FORMAT_PCM_16, 2, 44100), bits16, {0, 1},
       kFrames, "", {}},
      {"Ogg Vorbis, with LOOPSTART and LOOPLENGTH comments", 2, 44100,
       [](const std::string& path, const std::vector<float>&) {
         WriteFileBytes(path, ReadFileBytes("looping_stereo_44100.ogg"));
       },
       -1, {0, 1}, kOggFrames, "LOOPSTART and LOOPLENGTH comments", kOggLoop},
  };
  TempDirectory directory;
  for (const InputFormat& format : formats) {
    SCOPED_TRACE(format.name);
    const std::vector<float> written = Tones(format.channels, kFrames);
    format.write(directory / "input", written);
    PcmAudio audio;
    std::string error;
    ASSERT_TRUE(ReadAudioFile(directory / "input", audio, error)) << error;
    ASSERT_EQ(audio.channels, format.channels);
    EXPECT_EQ(audio.rate, format.rate);
    ASSERT_EQ(audio.Frames(), format.frames);
    EXPECT_EQ(audio.loopTag, format.loopTag);
    EXPECT_EQ(audio.loopTagProblem, "");
    EXPECT_EQ(audio.taggedLoop.start, format.loop.start);
    EXPECT_EQ(audio.taggedLoop.end, format.loop.end);
    for (long frame = 0; format.tolerance >= 0 && frame < kFrames; ++frame) {
      for (int channel = 0; channel < format.channels; ++channel) {
        const float expected = written[frame * format.channels + format.fileChannelOfVorbisChannel[channel]];
        ASSERT_NEAR(audio.Frame(frame)[channel], expected, format.tolerance)
            << "frame " << frame << ", channel " << channel;
      }
    }
  }
}

struct LoopTagCase {
  const char* name;
  std::vector<std::string> comments;
  std::string loopTag;
  LoopPoints loop;
  std::string problem;
};

TEST(AudioFiles, ReadsTheLoopCommentsInEverySpellingWithTheirEndExclusive) {
  const LoopTagCase cases[] = {
      {"start and length", {"LOOPSTART=1000", "LOOPLENGTH=500"}, "LOOPSTART and LOOPLENGTH comments", {1000, 1500}, ""},
      {"start and end", {"LOOPSTART=1000", "LOOPEND=1500"}, "LOOPSTART and LOOPEND comments", {1000, 1500}, ""},
      {"LOOP_START and LOOP_END", {"LOOP_START=1000", "LOOP_END=1500"}, "LOOP_START and LOOP_END comments",
       {1000, 1500}, ""},
      {"LOOPLEN, names in any case, among other comments", {"ARTIST=someone", "LoopStart=1000", "looplen=500"},
       "LoopStart and looplen comments", {1000, 1500}, ""},
      {"a start alone", {"LOOPSTART=1000"}, "LOOPSTART comment, looping to the end", {1000, 4000}, ""},
      {"a length and an end that agree", {"LOOPSTART=1000", "LOOPLENGTH=500", "LOOPEND=1500"},
       "LOOPSTART and LOOPLENGTH and LOOPEND comments", {1000, 1500}, ""},
      {"a length and an end that disagree", {"LOOPSTART=1000", "LOOPLENGTH=500", "LOOPEND=1600"},
       "LOOPSTART and LOOPLENGTH and LOOPEND comments", {},
       "LOOPLENGTH 500 and LOOPEND 1600 disagree: the loop ends at frame 1500 or 1600"},
      {"a start that is no number", {"LOOPSTART=soon", "LOOPLENGTH=500"}, "LOOPSTART and LOOPLENGTH comments", {},
       "LOOPSTART \"soon\" is no frame number"},
      {"a negative length", {"LOOPSTART=1000", "LOOPLENGTH=-5"}, "LOOPSTART and LOOPLENGTH comments", {},
       "LOOPLENGTH \"-5\" is no frame number"},
      {"no start", {"LOOPLENGTH=500", "LOOPSTARTS=7"}, "", {}, ""},
  };
  for (const LoopTagCase& tags : cases) {
    SCOPED_TRACE(tags.name);
    PcmAudio audio;
    ReadLoopTags(tags.comments, 4000, audio);
    EXPECT_EQ(audio.loopTag, tags.loopTag);
    EXPECT_EQ(audio.loopTagProblem, tags.problem);
    if (!tags.problem.empty()) continue;
    EXPECT_EQ(audio.taggedLoop.start, tags.loop.start);
    EXPECT_EQ(audio.taggedLoop.end, tags.loop.end);
  }
}

// The test stream with its last page's granule position, which tells the stream's length, replaced.
std::string WithLastGranule(int64_t granule) {
  std::string bytes = ReadFileBytes("looping_stereo_44100.ogg");
  const size_t last = bytes.rfind("OggS");
  std::memcpy(&bytes[last + 6], &granule, 8);  // little-endian, as Ogg stores it
  const size_t headerLength = 27 + static_cast<unsigned char>(bytes[last + 26]);
  ogg_page page{reinterpret_cast<unsigned char*>(&bytes[last]), static_cast<long>(headerLength),
                reinterpret_cast<unsigned char*>(&bytes[last + headerLength]),
                static_cast<long>(bytes.size() - last - headerLength)};
  ogg_page_checksum_set(&page);
  return bytes;
}

// A FLAC file whose STREAMINFO gives 2^35 frames, far more than it holds.
std::string FlacClaimingTooMuch() {
  std::string bytes = FlacBytes(2, 44100, 16, Tones(2, kFrames), {});
  // "fLaC", the block's header, then STREAMINFO, whose 36-bit count of frames ends at its 18th byte.
  bytes[8 + 13] = static_cast<char>((bytes[8 + 13] & 0xF0) | 0x08);
  std::memset(&bytes[8 + 14], 0, 4);
  return bytes;
}

struct DamagedCount {
  const char* name;
  std::string bytes;
  int64_t declaredFrames;
  std::string problem;  // empty where the file is read whole
};

TEST(AudioFiles, ACountThatPassesMemoryIsNotTrustedButReadAsFarAsTheFileGoes) {
  const DamagedCount cases[] = {
      {"Ogg Vorbis whose last granule gives 2^40 frames", WithLastGranule(int64_t{1} << 40), int64_t{1} << 40, ""},
      {"Ogg Vorbis whose last granule overflows with the channels", WithLastGranule(int64_t{1} << 62),
       int64_t{1} << 62, ""},
      {"FLAC whose STREAMINFO gives 2^35 frames", FlacClaimingTooMuch(), int64_t{1} << 35,
       "input: it is cut short or damaged: 6000 of its 34359738368 frames can be read"},
  };
  TempDirectory directory;
  for (const DamagedCount& damaged : cases) {
    SCOPED_TRACE(damaged.name);
    WriteFileBytes(directory / "input", damaged.bytes);
    AudioShape shape;
    ASSERT_TRUE(ReadAudioShape(directory / "input", shape));
    EXPECT_EQ(shape.frames, damaged.declaredFrames);
    PcmAudio audio;
    std::string error;
    EXPECT_EQ(ReadAudioFile(directory / "input", audio, error), damaged.problem.empty()) << error;
    if (!damaged.problem.empty()) {
      EXPECT_EQ(error, directory / damaged.problem);
      continue;
    }
    // Without the granule's count, the last packet's padding is not cut off.
    EXPECT_GE(audio.Frames(), kOggFrames);
    EXPECT_LT(audio.Frames(), kOggFrames + 4096);
  }
}

}  // namespace
