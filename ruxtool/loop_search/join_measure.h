// How abrupt a loop's join sounds: the jump in the log-mel spectrum from the music just before the
// loop's end to the music just after its start, weighed against the jumps the song itself makes from
// one moment to the next. A join that jumps no more than the song's typical moment passes unheard; one
// that jumps more than nearly all of them is heard as a cut.
#pragma once

#include <string>
#include <vector>

#include "audio_files/pcm_audio.h"
#include "loop_search/log_mel.h"

struct JoinFigure {
  double jumpDb = 0;      // the mean absolute difference of the two sides' log-mel spectra
  double percentile = 0;  // of the song's own moments, the share that jump less: 50 typical, 99 glaring
  double excessDb = 0;    // the jump less the song's own jump at the loop's two points
};

// "join at percentile 43, excess +0.2 dB", as find-loop and make print it.
std::string JoinFigureText(const JoinFigure& figure);

class JoinMeasure {
 public:
  // mono: the song, its channels mixed, which must outlive the object.
  JoinMeasure(const std::vector<float>& mono, long rate);

  // The jump from the loop's end back to its start, as the game plays it.
  JoinFigure Measure(LoopPoints loop) const;
  // The song's own jump at frame: the window that ends there against the one that starts there.
  double OwnJump(long frame) const;
  // Of the song's own moments, the share whose jump is smaller, 0 to 100.
  double Percentile(double jumpDb) const;
  // The window each side of a jump covers, in frames.
  long Window() const { return spectra_.Window(); }
  // The levels of the window that ends at frame, and of the one that starts there: a jump from end to
  // start is LogMel::Distance(Before(end), After(start)).
  std::vector<float> Before(long frame) const { return LevelsAt(frame - spectra_.Window()); }
  std::vector<float> After(long frame) const { return LevelsAt(frame); }
  // Each band's power below which it counts as silent, so that other audio's spectra weigh alike.
  const std::vector<float>& Floors() const { return floors_; }

 private:
  std::vector<float> LevelsAt(long first) const;
  double Jump(long end, long start) const;

  const long frames_;
  LogMel spectra_;
  std::vector<float> floors_;  // each band's, from its mean power over the song
  std::vector<double> ownJumps_;  // at every window boundary of the song, sorted
};
