// A folder made as ruxtool make makes it: stopped at every point where Ctrl+C is heard, a job that
// throws, temporary files an earlier run left, and files admitted by the memory they need; several
// files at once give the same streams as one at a time.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <map>
#include <mutex>
#include <new>
#include <stdexcept>
#include <thread>

#include "audio_files/sample_room.h"
#include "file_bytes.h"
#include "making/output_files.h"
#include "rux2_under_test.h"
#include "soundtrack/folder_make.h"
#include "soundtrack/parallel_jobs.h"
#include "system/folder_files.h"
#include "system/stop_request.h"
#include "temp_directory.h"
#include "wav_bytes.h"

namespace {

constexpr uint64_t kPlentyOfMemory = uint64_t{1} << 40;

std::vector<float> Tone(long frames, float step) {
  std::vector<float> samples;
  for (long frame = 0; frame < frames; ++frame) samples.insert(samples.end(), 2, 0.3f * std::sin(frame * step));
  return samples;
}

struct FolderRun {
  int code = 0;
  std::string lines;
  std::map<std::string, std::string> outputs;  // name: bytes
};

// A source folder of songs, a.wav with its loop in loops.txt (an introduction and a loop part) and the
// others whole (one stream each), made into "made".
class FolderMake : public testing::Test {
 protected:
  void WriteSongs(int count) {
    MakeParentFolders(directory_ / "source/");
    for (int song = 0; song < count; ++song) {
      const std::string name = std::string(1, static_cast<char>('a' + song)) + ".wav";
      WriteFileBytes(directory_ / ("source/" + name),
                     WavBytes({"16-bit stereo", 16, false, false, 2, 44100}, Tone(44100 + 4410 * song, 0.05f + 0.01f * song)));
    }
    WriteFileBytes(directory_ / "source/loops.txt", "11025 33075 a.wav\n");
  }

  FolderRun Run(std::vector<std::string> words, const std::function<bool()>& interrupted,
                uint64_t memory = kPlentyOfMemory) {
    // The loop as given: a loop check of its own is no concern here.
    words.push_back("--exact-loop");
    words.push_back(directory_ / "source");
    words.push_back(directory_ / "made");
    std::vector<char*> arguments;
    for (std::string& word : words) arguments.push_back(&word[0]);
    MakeOptions options;
    std::string error;
    EXPECT_TRUE(ParseMakeOptions(static_cast<int>(arguments.size()), arguments.data(), options, error)) << error;
    FolderRun run;
    testing::internal::CaptureStdout();
    run.code = MakeFolder(Rux2(), options, interrupted, memory);
    run.lines = testing::internal::GetCapturedStdout();
    for (const std::string& name : FilesIn(directory_ / "made/")) run.outputs[name] = ReadFileBytes(directory_ / ("made/" + name));
    return run;
  }

  TempDirectory directory_;
};

// The outputs of each song that the stopped run left: none, or all of them as a whole run makes them.
void ExpectEachSongWholeOrAbsent(const FolderRun& stopped, const FolderRun& whole) {
  for (const auto& output : stopped.outputs) {
    EXPECT_FALSE(IsTemporaryOutput(output.first)) << output.first;
    const auto made = whole.outputs.find(output.first);
    EXPECT_TRUE(made != whole.outputs.end() && made->second == output.second) << output.first;
  }
  const bool intro = stopped.outputs.count("a.intro.ogg"), loop = stopped.outputs.count("a.loop.ogg");
  EXPECT_EQ(intro, loop) << "the introduction and the loop part are committed together";
}

TEST_F(FolderMake, StoppedAtEveryPointLeavesEachFileWholeOrNotBegun) {
  WriteSongs(2);
  int points = 0;
  const FolderRun whole = Run({"-j", "1"}, [&] { return ++points, false; });
  ASSERT_EQ(whole.code, 0) << whole.lines;
  ASSERT_EQ(whole.outputs.size(), 3u) << whole.lines;
  // Asked before each file, then after it is read, levelled and encoded, and once its streams are
  // written and played back.
  ASSERT_EQ(points, 10);
  for (int stop = 1; stop <= points; ++stop) {
    SCOPED_TRACE("stopped at point " + std::to_string(stop));
    for (const std::string& name : FilesIn(directory_ / "made/")) std::remove((directory_ / ("made/" + name)).c_str());
    int asked = 0;
    const FolderRun stopped = Run({"-j", "1", "--force"}, [&] { return ++asked >= stop; });
    EXPECT_EQ(stopped.code, 1) << stopped.lines;
    const size_t madeFiles = (stop - 1) / 5;
    const bool withinAFile = stop % 5 != 1;
    const size_t notBegun = 2 - madeFiles - withinAFile;
    if (notBegun > 0) {
      EXPECT_NE(stopped.lines.find("interrupted, " + std::to_string(notBegun) + " not made"), std::string::npos)
          << stopped.lines;
    }
    if (withinAFile) EXPECT_NE(stopped.lines.find(": failed: interrupted"), std::string::npos) << stopped.lines;
    ExpectEachSongWholeOrAbsent(stopped, whole);
    EXPECT_EQ(stopped.outputs.size(), madeFiles == 1 ? 2u : 0u) << stopped.lines;
  }
}

TEST_F(FolderMake, CtrlCHeardInsideAStepStopsTheRunWithNothingHalfWritten) {
  WriteSongs(2);
  SetStopRequested(true);
  const FolderRun stopped = Run({"-j", "2"}, [] { return false; });
  SetStopRequested(false);
  EXPECT_EQ(stopped.code, 1) << stopped.lines;
  EXPECT_TRUE(stopped.outputs.empty()) << stopped.lines;
}

struct Thrown {
  const char* name;
  std::function<void()> thrower;
  const char* line;
};

TEST_F(FolderMake, AJobThatThrowsFailsItsFileAloneAndLeavesNothingOfIt) {
  const Thrown cases[] = {
      {"out of memory", [] { throw std::bad_alloc(); }, "a.wav: failed: not enough memory"},
      {"a length past a vector's", [] { throw std::length_error("vector::reserve"); },
       "a.wav: failed: vector::reserve"},
  };
  WriteSongs(2);
  for (const Thrown& thrown : cases) {
    SCOPED_TRACE(thrown.name);
    int asked = 0;
    // The third question comes from a.wav's job, once it is read.
    const FolderRun run = Run({"-j", "1", "--force"}, [&] {
      if (++asked == 3) thrown.thrower();
      return false;
    });
    EXPECT_EQ(run.code, 1);
    EXPECT_NE(run.lines.find(thrown.line), std::string::npos) << run.lines;
    EXPECT_NE(run.lines.find("b.wav: made"), std::string::npos) << run.lines;
    EXPECT_EQ(run.outputs.size(), 1u) << run.lines;
    EXPECT_EQ(run.outputs.count("b.ogg"), 1u) << run.lines;
  }
}

TEST_F(FolderMake, ClearsTheTemporaryFilesAnInterruptedRunLeftPuttingBackAnOldOutputSetAside) {
  WriteSongs(1);
  MakeParentFolders(directory_ / "made/");
  WriteFileBytes(directory_ / "made/a.loop.ogg.ruxtool-part", "half");
  WriteFileBytes(directory_ / "made/b.ogg.old.ruxtool-part", "yesterday's b");
  WriteFileBytes(directory_ / "made/c.ogg", "today's c");
  WriteFileBytes(directory_ / "made/c.ogg.old.ruxtool-part", "yesterday's c");
  const FolderRun run = Run({}, [] { return false; });
  EXPECT_EQ(run.code, 0) << run.lines;
  EXPECT_NE(run.lines.find("cleared 3 temporary files that an interrupted run left"), std::string::npos) << run.lines;
  ASSERT_EQ(run.outputs.size(), 4u) << run.lines;
  EXPECT_EQ(run.outputs.count("a.intro.ogg") + run.outputs.count("a.loop.ogg"), 2u);
  EXPECT_EQ(run.outputs.at("b.ogg"), "yesterday's b");
  EXPECT_EQ(run.outputs.at("c.ogg"), "today's c");
}

TEST_F(FolderMake, AFileThatCouldNeverFitFailsBeforeItIsReadAndTheOthersAreMade) {
  WriteSongs(2);
  // Room for a.wav (44100 frames) but not for b.wav (48510).
  const FolderRun run = Run({"-j", "2"}, [] { return false; }, MemoryToMake(46000, 2));
  EXPECT_EQ(run.code, 1);
  EXPECT_NE(run.lines.find("b.wav: failed: it does not fit in memory: its 48510 frames of 2 channels take"),
            std::string::npos)
      << run.lines;
  EXPECT_NE(run.lines.find("a.wav: made"), std::string::npos) << run.lines;
}

// Four at once, with the loudness levelled, give the streams one at a time gives (the ThreadSanitizer
// build runs this too).
TEST_F(FolderMake, FourAtOnceMakeWhatOneAtATimeMakes) {
  WriteSongs(4);
  const FolderRun serial = Run({"-j", "1", "--loudness", "-20"}, [] { return false; });
  const FolderRun parallel = Run({"-j", "4", "--force", "--loudness", "-20"}, [] { return false; });
  EXPECT_EQ(serial.code, 0) << serial.lines;
  EXPECT_EQ(parallel.code, 0) << parallel.lines;
  EXPECT_EQ(parallel.outputs.size(), 5u);
  EXPECT_TRUE(parallel.outputs == serial.outputs);
}

struct Admission {
  const char* name;
  unsigned workers;
  std::vector<uint64_t> needs;
  uint64_t budget;
  size_t mostAtOnce;  // as the budget and the workers allow
};

TEST(RunJobs, StartsAJobOnlyWhereItsMemoryFitsBesideTheJobsUnderWay) {
  const Admission cases[] = {
      {"four that fit two at a time", 4, {10, 10, 10, 10}, 25, 2},
      {"one that never fits runs alone", 3, {30, 5, 5}, 20, 2},
      {"jobs that take nothing", 3, {0, 0, 0, 0, 0, 0}, 0, 3},
      {"the workers bound them first", 2, {1, 1, 1, 1}, 100, 2},
  };
  for (const Admission& admission : cases) {
    SCOPED_TRACE(admission.name);
    std::mutex mutex;
    std::condition_variable changed;
    size_t running = 0, started = 0, mostAtOnce = 0;
    uint64_t taken = 0;
    std::vector<size_t> order;
    RunJobs(
        admission.needs.size(), admission.workers, {admission.needs, admission.budget},
        [&](size_t index) {
          std::unique_lock<std::mutex> lock(mutex);
          order.push_back(index);
          ++running, ++started;
          taken += admission.needs[index];
          mostAtOnce = std::max(mostAtOnce, running);
          EXPECT_TRUE(running == 1 || taken <= admission.budget) << "job " << index;
          changed.notify_all();
          // Each waits for as many as may run at once, so that a queue too strict shows.
          changed.wait_for(lock, std::chrono::milliseconds(500), [&] {
            return running >= admission.mostAtOnce || started == admission.needs.size();
          });
          --running;
          taken -= admission.needs[index];
          changed.notify_all();
        },
        [] { return false; });
    EXPECT_EQ(mostAtOnce, admission.mostAtOnce);
    ASSERT_EQ(order.size(), admission.needs.size());
    for (size_t i = 0; i < order.size(); ++i) EXPECT_EQ(order[i], i);
  }
}

TEST(RunJobs, StoppedWhileAJobWaitsForMemoryStartsNoOther) {
  std::atomic<bool> stop{false};
  std::atomic<int> ran{0};
  RunJobs(
      3, 3, {{10, 10, 10}, 15},
      [&](size_t) {
        ++ran;
        stop = true;
      },
      [&] { return stop.load(); });
  EXPECT_EQ(ran, 1);
}

}  // namespace
