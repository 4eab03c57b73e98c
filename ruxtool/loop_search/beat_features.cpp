// DescribeBeats: each beat's steps averaged, its chroma over the stretch of the song it spans; then the
// bar's length (3 or 4 beats) and its phase where the beats that start bars change harmony most and
// hold the strongest onsets.
#include "loop_search/beat_features.h"

#include <algorithm>
#include <cmath>

#include "loop_search/thinned_song.h"

namespace {

// A chroma is measured over at most this much of its beat (thinned frames, 0.37 s at 11025 Hz).
constexpr long kLongestChroma = 4096;
// A bar of three is taken only where its beats tell bars apart clearly better than a bar of four.
constexpr double kThreeOverFour = 1.25;
// Bars stand out clearly where their first beats' accent exceeds the beats' mean by this share of it:
// by 0.9 to 1.3 in generated songs whose chords change on the bar line, by 0.25 at most in six released
// songs whose harmony and drums do not mark every bar as clearly.
constexpr double kClearBar = 0.5;

double Mean(const std::vector<double>& values) {
  double sum = 0;
  for (double value : values) sum += value;
  return values.empty() ? 0 : sum / static_cast<double>(values.size());
}

void AverageSteps(const MusicSteps& music, long first, long end, BeatFeatures& features) {
  std::vector<double> timbre(static_cast<size_t>(music.bands), 0.0);
  double power = 0;
  for (long step = first; step < end; ++step) {
    for (int band = 0; band < music.bands; ++band) timbre[band] += music.Levels(step)[band];
    power += std::pow(10, music.powers[step] / 10);
  }
  const long count = std::max(1L, end - first);
  for (double value : timbre) features.timbre.push_back(static_cast<float>(value / count));
  features.levels.push_back(static_cast<float>(10 * std::log10(power / count + 1e-20)));
  features.onsets.push_back(first < music.Steps() ? music.onsets[first] : 0.0f);
}

// How clearly the beats at each phase of a bar of beatsPerBar stand out; phase: the one that stands out.
double BarContrast(const std::vector<double>& accent, int beatsPerBar, int& phase) {
  std::vector<double> sums(static_cast<size_t>(beatsPerBar), 0.0), counts(sums);
  for (size_t beat = 0; beat < accent.size(); ++beat) {
    sums[beat % beatsPerBar] += accent[beat];
    ++counts[beat % beatsPerBar];
  }
  double best = -1, all = 0;
  for (int i = 0; i < beatsPerBar; ++i) {
    const double mean = counts[i] ? sums[i] / counts[i] : 0;
    all += mean / beatsPerBar;
    if (mean > best) {
      best = mean;
      phase = i;
    }
  }
  return best - all;
}

// The bar from each beat's accent: the change of harmony into it and its onset, each against its mean.
void FindBars(BeatFeatures& features) {
  const long beats = features.Beats();
  std::vector<double> changes(static_cast<size_t>(beats), 0.0), onsets(changes);
  for (long beat = 1; beat < beats; ++beat) {
    changes[beat] = ChromaMeter::Distance(features.chroma[beat - 1], features.chroma[beat]);
    onsets[beat] = features.onsets[beat];
  }
  const double meanChange = std::max(1e-9, Mean(changes)), meanOnset = std::max(1e-9, Mean(onsets));
  std::vector<double> accent(changes.size());
  for (size_t beat = 0; beat < accent.size(); ++beat) accent[beat] = changes[beat] / meanChange + onsets[beat] / meanOnset;
  int phaseOfFour = 0, phaseOfThree = 0;
  const double four = BarContrast(accent, 4, phaseOfFour), three = BarContrast(accent, 3, phaseOfThree);
  features.beatsPerBar = three > kThreeOverFour * four ? 3 : 4;
  features.downbeat = features.beatsPerBar == 3 ? phaseOfThree : phaseOfFour;
  features.clearBars = (features.beatsPerBar == 3 ? three : four) >= kClearBar * Mean(accent);
}

// Each chroma less the song's mean, of unit length again: what sounds in every beat (a tuned drum, a
// drone) says nothing of where the harmony is, and would make every beat look alike.
void Centre(std::vector<Chroma>& chromas) {
  Chroma mean{};
  for (const Chroma& chroma : chromas) {
    for (int pitch = 0; pitch < 12; ++pitch) mean[pitch] += chroma[pitch] / chromas.size();
  }
  for (Chroma& chroma : chromas) {
    double length = 0;
    for (int pitch = 0; pitch < 12; ++pitch) {
      chroma[pitch] -= mean[pitch];
      length += chroma[pitch] * chroma[pitch];
    }
    length = std::sqrt(length);
    for (float& value : chroma) value = length > 1e-9 ? static_cast<float>(value / length) : 0.0f;
  }
}

// Each beat's harmony before and after it, and the song's own changes of harmony.
void MeasureHarmonyAcross(const ThinnedSong& song, BeatFeatures& features) {
  const HarmonyMeter harmony(song);
  for (const long frame : features.frames) {
    features.harmonyBefore.push_back(harmony.Before(frame));
    features.harmonyAfter.push_back(harmony.After(frame));
  }
  features.harmonyChanges = harmony.OwnChanges();
}

}  // namespace

double BeatFeatures::HarmonyPercentile(long start, long end) const {
  return harmonyChanges.Percentile(harmonyBefore[end], harmonyAfter[start]);
}

BeatFeatures DescribeBeats(const std::vector<float>& mono, long rate, const MusicSteps& music, const BeatTrack& track) {
  BeatFeatures features;
  features.bands = music.bands;
  const ThinnedSong song(mono, rate, kThinnedMusicRate);
  const ChromaMeter chroma(song, kLongestChroma);
  const long beats = static_cast<long>(track.beats.size());
  for (long beat = 0; beat < beats; ++beat) {
    const long first = track.beats[beat];
    const long end = beat + 1 < beats ? track.beats[beat + 1] : std::min(music.Steps(), first + std::lround(track.period));
    features.frames.push_back(music.FrameOf(static_cast<double>(first)));
    AverageSteps(music, first, end, features);
    const long thinnedFirst = features.frames.back() / song.Factor();
    const long thinnedCount = (music.FrameOf(static_cast<double>(end)) - features.frames.back()) / song.Factor();
    features.chroma.push_back(chroma.At(thinnedFirst, std::min(thinnedCount, kLongestChroma)));
  }
  std::vector<double> peaks;
  for (const Chroma& each : features.chroma) peaks.push_back(*std::max_element(each.begin(), each.end()));
  std::sort(peaks.begin(), peaks.end());
  features.chromaPeak = peaks.empty() ? 0 : peaks[peaks.size() / 2];
  Centre(features.chroma);
  MeasureHarmonyAcross(song, features);
  FindBars(features);
  return features;
}
