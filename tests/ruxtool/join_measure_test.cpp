// The join measure on generated songs through a lossy round trip: a loop whose join is a copy jumps
// exactly as the song does at its points, wherever in the beat it lies, and a jump to other music of
// the song is among its most abrupt moments; a cut into silence is more abrupt than any.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "game_songs.h"
#include "loop_search/join_measure.h"
#include "loop_search/loop_search.h"
#include "deterministic_noise.h"
#include "music_generator.h"

namespace {

struct MeasuredSong {
  const char* name;
  unsigned seed;
  double beatsPerMinute;
};

// The loop section written out three times, as a composer renders it seamless: the second repeat's
// start and the third's are the same frames, with the same music ringing into them.
GeneratedSong SongOf(const MeasuredSong& measured) {
  SongShape shape;
  shape.introBars = 2;
  shape.loopBars = 4;
  shape.repeats = 3;
  shape.outroBars = 2;
  shape.beatsPerMinute = measured.beatsPerMinute;
  shape.seed = measured.seed;
  const GeneratedSong song = MakeSong(shape, 2, 44100);
  return {LossyRoundTrip(song.audio), song.loop};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

TEST(JoinMeasure, TellsACopysJoinFromAJumpToOtherMusic) {
  const MeasuredSong songs[] = {{"A minor, 123 bpm", 1, 123}, {"another melody, 97 bpm", 2, 97}, {"140 bpm", 3, 140}};
  for (const MeasuredSong& measured : songs) {
    SCOPED_TRACE(measured.name);
    const GeneratedSong song = SongOf(measured);
    const std::vector<float> mono = MixToMono(song.audio);
    const JoinMeasure measure(mono, 44100);
    const long beat = std::lround(60 / measured.beatsPerMinute * 44100), length = song.loop.Length();
    // On the downbeat, off the beat and between beats.
    for (const long offset : {0L, beat / 4, beat / 2, 7 * beat / 3}) {
      const long start = song.loop.end + offset;
      const JoinFigure copy = measure.Measure({start, start + length});
      EXPECT_NEAR(copy.excessDb, 0, 0.5) << offset;
      EXPECT_NEAR(copy.percentile, measure.Percentile(measure.OwnJump(start + length)), 5) << offset;
    }
    // Jumps between points anywhere in the song.
    DeterministicNoise points(measured.seed);
    std::vector<double> otherPercentiles, otherExcesses;
    for (int jump = 0; jump < 40; ++jump) {
      const long first = static_cast<long>((points.Next() + 0.5f) * song.audio.Frames() / 2);
      const long end = first + static_cast<long>((points.Next() + 0.5f) * (song.audio.Frames() - first));
      if (end - first < beat) continue;
      const JoinFigure figure = measure.Measure({first, end});
      otherPercentiles.push_back(figure.percentile);
      otherExcesses.push_back(figure.excessDb);
    }
    EXPECT_GT(Median(otherPercentiles), 80);
    EXPECT_GT(Median(otherExcesses), 2);
  }
}

TEST(JoinMeasure, ACutIntoSilenceIsMoreAbruptThanAnyMomentOfTheSong) {
  GeneratedSong song = SongOf({"", 1, 123});
  const long silence = 2 * 44100;
  song.audio.samples.resize(song.audio.samples.size() + silence * 2, 0.0f);
  const std::vector<float> mono = MixToMono(song.audio);
  const JoinMeasure measure(mono, 44100);
  EXPECT_GT(measure.Measure({song.loop.start, song.audio.Frames() - silence / 2}).percentile, 99);
}

}  // namespace
