// The harmony a listener hears go into a moment and come out of it: the chroma of the half second
// before it and of the half second from it, and how much it changes there beside how much the song's
// own harmony changes at its moments. A jump from one moment back to another is judged the same way,
// the harmony before the one against that after the other.
#pragma once

#include <vector>

#include "loop_search/chroma.h"
#include "loop_search/thinned_song.h"

// The song's own changes of harmony, from the half second before a moment to the half second after
// it, every quarter second, sorted.
struct HarmonyChanges {
  std::vector<double> sorted;

  // The change from before to after as a percentile of the song's own: 50 at a typical moment.
  double Percentile(const Chroma& before, const Chroma& after) const;
};

class HarmonyMeter {
 public:
  // song must outlive the object.
  explicit HarmonyMeter(const ThinnedSong& song);

  // Of the half second before, and from, a frame at the song's own rate; as they are, not less the mean.
  Chroma Before(long frame) const;
  Chroma After(long frame) const;
  HarmonyChanges OwnChanges() const;

 private:
  const ThinnedSong& song_;
  const long half_;  // thinned frames
  const ChromaMeter chroma_;
};
