// HarmonyMeter: chromas of half a second on the thinned song; its own changes taken on a grid of
// quarter seconds, each moment's two windows those of the grid on each side of it.
#include "loop_search/harmony_meter.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kHarmonySeconds = 0.5;
constexpr double kHarmonyEverySeconds = 0.25;

}  // namespace

double HarmonyChanges::Percentile(const Chroma& before, const Chroma& after) const {
  if (sorted.empty()) return 50;
  const double change = ChromaMeter::Distance(before, after);
  const auto below = std::lower_bound(sorted.begin(), sorted.end(), change);
  return 100.0 * static_cast<double>(below - sorted.begin()) / static_cast<double>(sorted.size());
}

HarmonyMeter::HarmonyMeter(const ThinnedSong& song)
    : song_(song), half_(std::lround(kHarmonySeconds * song.Rate())), chroma_(song, half_) {}

Chroma HarmonyMeter::Before(long frame) const { return chroma_.At(frame / song_.Factor() - half_, half_); }

Chroma HarmonyMeter::After(long frame) const { return chroma_.At(frame / song_.Factor(), half_); }

HarmonyChanges HarmonyMeter::OwnChanges() const {
  const long every = std::lround(kHarmonyEverySeconds * song_.Rate());
  std::vector<Chroma> grid;
  for (long first = 0; first + half_ <= song_.Length(); first += every) grid.push_back(chroma_.At(first, half_));
  const size_t apart = static_cast<size_t>(half_ / every);
  HarmonyChanges changes;
  for (size_t i = 0; i + apart < grid.size(); ++i) {
    changes.sorted.push_back(ChromaMeter::Distance(grid[i], grid[i + apart]));
  }
  std::sort(changes.sorted.begin(), changes.sorted.end());
  return changes;
}
