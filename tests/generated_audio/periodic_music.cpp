// MakePeriodicMusic: each kind from a formula of the time alone, so that it repeats exactly where its
// formula does.
#include "periodic_music.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;


// A minor arpeggio, a note every quarter second; the square waves as an old sound chip plays them.
double SquareWavePhrase(double time) {
  static const double kNotes[] = {220.0, 261.63, 329.63, 440.0, 329.63, 261.63};
  constexpr double kNoteSeconds = 0.25;
  const double phrase = kNoteSeconds * 6;
  const double inPhrase = std::fmod(time, phrase);
  const double frequency = kNotes[static_cast<int>(inPhrase / kNoteSeconds)];
  return std::fmod(inPhrase * frequency, 1.0) < 0.5 ? 0.25 : -0.25;
}

double Drone(double time) {
  const double swell = 0.75 + 0.25 * std::sin(2 * kPi * time / 1.5);
  const double tones = std::sin(2 * kPi * 55 * time) + 0.6 * std::sin(2 * kPi * (55 + 1 / 3.0) * time) +
                       0.5 * std::sin(2 * kPi * 110 * time) + 0.3 * std::sin(2 * kPi * 165 * time);
  return 0.12 * swell * tones;
}

}  // namespace

PcmAudio MakePeriodicMusic(PeriodicMusic music, long rate, double seconds) {
  PcmAudio audio{2, rate};
  const long frames = std::lround(seconds * rate);
  for (long frame = 0; frame < frames; ++frame) {
    const double time = static_cast<double>(frame) / rate;
    if (music == PeriodicMusic::kSteadyTones) {
      audio.samples.push_back(static_cast<float>(0.3 * std::sin(2 * kPi * 300 * time)));
      audio.samples.push_back(static_cast<float>(0.3 * std::sin(2 * kPi * 450 * time)));
      continue;
    }
    const float value = static_cast<float>(music == PeriodicMusic::kSquareWavePhrase ? SquareWavePhrase(time) : Drone(time));
    audio.samples.push_back(value);
    audio.samples.push_back(value);
  }
  return audio;
}
