// MeasureSteps: the thinned song's Hann-windowed spectra of about 46 ms every quarter window, block by
// block so that no more than a block of it is held; then each band's floor, the levels and the onsets.
#include "loop_search/music_steps.h"

#include <algorithm>
#include <cmath>

#include "loop_search/log_mel.h"
#include "loop_search/thinned_song.h"
#include "system/stop_request.h"

namespace {

// A step's window and hop in thinned frames (about 46 ms and 12 ms at 11025 Hz).
constexpr long kWindow = 512;
constexpr long kHop = 128;
constexpr long kStepsPerBlock = 1024;
constexpr double kFloorDb = -30;
// The onsets' rise is measured against its mean over this many steps around (about 0.37 s).
constexpr long kRiseAverageSteps = 32;

// Every step's band powers, in order.
std::vector<float> BandPowers(const ThinnedSong& song, long steps, int& bands) {
  std::vector<float> block(static_cast<size_t>(kWindow + kHop * (kStepsPerBlock - 1)));
  // The spectra read the block, which is refilled in place for each run of steps.
  const LogMel spectra(block, song.Rate(), kWindow);
  bands = spectra.Bands();
  std::vector<float> powers;
  powers.reserve(static_cast<size_t>(steps) * bands);
  for (long first = 0; first < steps && !StopRequested(); first += kStepsPerBlock) {
    for (size_t i = 0; i < block.size(); ++i) block[i] = song.At(first * kHop + static_cast<long>(i));
    for (long step = first; step < std::min(steps, first + kStepsPerBlock); ++step) {
      const std::vector<float> stepPowers = spectra.PowersAt((step - first) * kHop);
      powers.insert(powers.end(), stepPowers.begin(), stepPowers.end());
    }
  }
  return powers;
}

std::vector<float> Floors(const std::vector<float>& powers, int bands, long steps) {
  std::vector<float> floors(static_cast<size_t>(bands), 0.0f);
  for (long step = 0; step < steps; ++step) {
    for (int band = 0; band < bands; ++band) floors[band] += powers[static_cast<size_t>(step) * bands + band];
  }
  const double share = std::pow(10, kFloorDb / 10) / std::max(1L, steps);
  for (float& floor : floors) floor = static_cast<float>(std::max(floor * share, 1e-20));
  return floors;
}

// The mean rise of the bands into each step, less its mean over the steps around, at least 0.
std::vector<float> Onsets(const MusicSteps& music) {
  const long steps = static_cast<long>(music.powers.size());
  std::vector<float> rise(static_cast<size_t>(steps), 0.0f);
  for (long step = 1; step < steps; ++step) {
    const float* now = music.Levels(step);
    const float* before = music.Levels(step - 1);
    float sum = 0;
    for (int band = 0; band < music.bands; ++band) sum += std::max(0.0f, now[band] - before[band]);
    rise[step] = sum / music.bands;
  }
  std::vector<float> onsets(static_cast<size_t>(steps));
  double running = 0;
  long from = 0, to = 0;  // the steps summed in running: [from, to)
  for (long step = 0; step < steps; ++step) {
    while (to < std::min(steps, step + kRiseAverageSteps / 2 + 1)) running += rise[to++];
    while (from < step - kRiseAverageSteps / 2) running -= rise[from++];
    onsets[step] = static_cast<float>(std::max(0.0, rise[step] - running / (to - from)));
  }
  return onsets;
}

}  // namespace

MusicSteps MeasureSteps(const std::vector<float>& mono, long rate) {
  const ThinnedSong song(mono, rate, kThinnedMusicRate);
  MusicSteps music;
  music.rate = rate;
  music.hop = kHop * song.Factor();
  music.centre = kWindow / 2 * song.Factor();
  music.levels = BandPowers(song, song.Length() >= kWindow ? (song.Length() - kWindow) / kHop + 1 : 0, music.bands);
  // Fewer where the run was stopped.
  const long steps = music.bands ? static_cast<long>(music.levels.size()) / music.bands : 0;
  const std::vector<float> floors = Floors(music.levels, music.bands, steps);
  music.powers.resize(static_cast<size_t>(steps));
  for (long step = 0; step < steps; ++step) {
    float* levels = &music.levels[static_cast<size_t>(step) * music.bands];
    double power = 0;
    for (int band = 0; band < music.bands; ++band) {
      power += levels[band];
      levels[band] = static_cast<float>(10 * std::log10(std::max(levels[band], floors[band])));
    }
    music.powers[step] = static_cast<float>(10 * std::log10(power + 1e-20));
  }
  music.onsets = Onsets(music);
  return music;
}
