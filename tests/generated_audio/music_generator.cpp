// MakeSong: a note list per bar, each note rendered by table oscillators into a track that may wrap
// around the loop.
#include "music_generator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "deterministic_noise.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kTableSize = 4096;
// Notes are rendered until their envelope has fallen below this.
constexpr double kSilent = 1e-3;

float Sine(double cycles) {
  static const std::array<float, kTableSize + 1> table = [] {
    std::array<float, kTableSize + 1> values{};
    for (int i = 0; i <= kTableSize; ++i) values[i] = static_cast<float>(std::sin(2 * kPi * i / kTableSize));
    return values;
  }();
  const double position = (cycles - std::floor(cycles)) * kTableSize;
  const int index = static_cast<int>(position);
  const float fraction = static_cast<float>(position - index);
  return table[index] + fraction * (table[index + 1] - table[index]);
}

enum class Voice { kTone, kKick, kSnare, kHat };

struct Note {
  Voice voice = Voice::kTone;
  double start = 0;      // seconds
  double hold = 0;       // seconds at full level before the decay
  double decay = 0.3;    // seconds per e-fold of the decay
  double frequency = 0;  // Hz of the fundamental
  int harmonics = 1;     // with amplitudes 1/h
  double gain = 0.1;
  double pan = 0;  // -1 left to 1 right
  unsigned noiseSeed = 0;
};

double MidiFrequency(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

struct Chord {
  int root;  // MIDI note
  bool minor;
};

// A minor and its neighbours.
const Chord kAm{57, true}, kC{60, false}, kDm{62, true}, kE{64, false}, kF{53, false}, kG{55, false};
const std::vector<Chord> kIntroChords{kAm, kE};
const std::vector<std::vector<Chord>> kLoopChords{{kAm, kF, kC, kG}, {kAm, kDm, kG, kC}, {kF, kG, kAm, kE}};
const std::vector<Chord> kOutroChords{kDm, kE, kAm, kAm};

// Where the notes go: the whole song, or the loop section, whose end wraps into its start.
class Track {
 public:
  Track(long frames, int channels, long rate, bool wraps)
      : samples_(static_cast<size_t>(frames) * channels), frames_(frames), channels_(channels), rate_(rate),
        wraps_(wraps) {}

  void Add(const Note& note, double offsetSeconds) {
    const double start = (note.start + offsetSeconds) * rate_;
    const long first = static_cast<long>(std::ceil(start));
    long length = static_cast<long>((note.hold + note.decay * -std::log(kSilent)) * rate_);
    if (!wraps_) length = std::min(length, frames_ - first);
    if (length <= 0) return;
    std::vector<float> sound(static_cast<size_t>(length));
    if (note.voice == Voice::kTone) {
      Tone(note, (first - start) / rate_, sound);
    } else {
      Drum(note, (first - start) / rate_, sound);
    }
    Envelope(note, sound);
    const double left = std::sqrt((1 - note.pan) / 2), right = std::sqrt((1 + note.pan) / 2);
    for (long i = 0; i < length; ++i) {
      float* target = &samples_[static_cast<size_t>(wraps_ ? (first + i) % frames_ : first + i) * channels_];
      if (channels_ == 1) {
        target[0] += sound[i];
      } else {
        target[0] += static_cast<float>(sound[i] * left);
        target[1] += static_cast<float>(sound[i] * right);
      }
    }
  }

  const std::vector<float>& Samples() const { return samples_; }

 private:
  // Harmonics with amplitudes 1/h; the fundamental turns as a rotating phasor and the harmonics follow
  // from it by Chebyshev's recurrence, sin(h x) = 2 cos(x) sin((h - 1) x) - sin((h - 2) x).
  void Tone(const Note& note, double firstTime, std::vector<float>& sound) const {
    const double step = 2 * kPi * note.frequency / rate_, phase = 2 * kPi * note.frequency * firstTime;
    const double turnCos = std::cos(step), turnSin = std::sin(step);
    double cosine = std::cos(phase), sine = std::sin(phase);
    for (float& sample : sound) {
      double previous = 0, current = sine, value = sine;
      for (int h = 2; h <= note.harmonics; ++h) {
        const double next = 2 * cosine * current - previous;
        previous = current;
        current = next;
        value += current / h;
      }
      sample = static_cast<float>(value);
      const double turned = cosine * turnCos - sine * turnSin;
      sine = sine * turnCos + cosine * turnSin;
      cosine = turned;
    }
  }

  void Drum(const Note& note, double firstTime, std::vector<float>& sound) const {
    DeterministicNoise noise(note.noiseSeed);
    float previousNoise = 0;
    for (size_t i = 0; i < sound.size(); ++i) {
      const double time = firstTime + static_cast<double>(i) / rate_;
      const float noiseNow = noise.Next();
      switch (note.voice) {
        case Voice::kKick:
          sound[i] = Sine(45 * time + 80 * 0.03 * (1 - std::exp(-time / 0.03)));
          break;
        case Voice::kSnare:
          sound[i] = static_cast<float>(0.7 * noiseNow + 0.5 * Sine(185 * time) * std::exp(-time / 0.04));
          break;
        default:
          sound[i] = noiseNow - previousNoise;
      }
      previousNoise = noiseNow;
    }
  }

  // Tones start in 4 ms, drums at once; then the level holds and decays.
  void Envelope(const Note& note, std::vector<float>& sound) const {
    const double fall = std::exp(-1.0 / (note.decay * rate_));
    const long attack = note.voice == Voice::kTone ? static_cast<long>(0.004 * rate_) : 0;
    const long hold = static_cast<long>(note.hold * rate_);
    double level = note.gain;
    for (long i = 0; i < static_cast<long>(sound.size()); ++i) {
      sound[i] = static_cast<float>(sound[i] * level * (i < attack ? static_cast<double>(i) / attack : 1.0));
      if (i >= hold) level *= fall;
    }
  }

  std::vector<float> samples_;
  const long frames_;
  const int channels_;
  const long rate_;
  const bool wraps_;
};

// The notes of one bar, starting at 0 seconds; the melody follows from the seed, so that a bar played
// again with its seed is the same bar.
std::vector<Note> BarNotes(Chord chord, double beat, unsigned seed) {
  std::vector<Note> notes;
  DeterministicNoise choice(seed);
  const int third = chord.minor ? 3 : 4;
  for (int step = 0; step < 16; ++step) {
    const double at = step * beat / 4;
    const unsigned noiseSeed = seed * 64 + static_cast<unsigned>(step);
    if (step % 8 == 0) notes.push_back({Voice::kKick, at, 0, 0.12, 0, 1, 0.45, 0, noiseSeed});
    if (step % 8 == 4) notes.push_back({Voice::kSnare, at, 0, 0.09, 0, 1, 0.16, 0.1, noiseSeed});
    if (step % 2 == 0) notes.push_back({Voice::kHat, at, 0, 0.02, 0, 1, 0.06, 0.4, noiseSeed});
    if (step % 2 == 0) {
      const int octave = step % 4 == 0 ? -24 : -12;
      notes.push_back({Voice::kTone, at, 0.05, 0.25, MidiFrequency(chord.root + octave), 6, 0.12, -0.1, 0});
    }
    if (choice.Below(10) < 7) {
      const int tones[] = {0, third, 7, 12, 12 + third};
      const double frequency = MidiFrequency(chord.root + 12 + tones[choice.Below(5)]);
      const double pan = choice.Next();
      notes.push_back({Voice::kTone, at, 0.02, 0.18, frequency, 4, 0.07, pan, 0});
      // The room's echo, from the other side.
      notes.push_back({Voice::kTone, at + 3 * beat / 4, 0.02, 0.18, frequency, 3, 0.025, -pan, 0});
    }
  }
  for (int interval : {0, third, 7}) {
    notes.push_back({Voice::kTone, 0, 3.5 * beat, 0.6, MidiFrequency(chord.root + interval), 5, 0.035, 0.3, 0});
  }
  return notes;
}

struct Bar {
  Chord chord;
  unsigned seed;
};

void AddBars(Track& track, const std::vector<Bar>& bars, double firstBar, double barSeconds, double beat) {
  for (size_t i = 0; i < bars.size(); ++i) {
    for (const Note& note : BarNotes(bars[i].chord, beat, bars[i].seed)) track.Add(note, (firstBar + i) * barSeconds);
  }
}

std::vector<Bar> Section(const std::vector<Chord>& chords, int count, unsigned seed) {
  std::vector<Bar> bars;
  for (int i = 0; i < count; ++i) bars.push_back({chords[i % chords.size()], seed * 1000 + static_cast<unsigned>(i)});
  return bars;
}

// The last frames' gain falls from 1 to 0 along a quarter of a cosine.
void FadeOut(std::vector<float>& samples, int channels, long frames) {
  const long total = static_cast<long>(samples.size()) / channels, count = std::min(frames, total);
  for (long i = 0; i < count; ++i) {
    const float gain = static_cast<float>(std::cos(kPi / 2 * (i + 1) / count));
    for (int channel = 0; channel < channels; ++channel) samples[(total - count + i) * channels + channel] *= gain;
  }
}

}  // namespace

GeneratedSong MakeSong(const SongShape& shape, int channels, long rate) {
  const double beat = 60.0 / shape.beatsPerMinute, barSeconds = 4 * beat;
  const std::vector<Bar> intro = Section(kIntroChords, shape.introBars, shape.seed * 3);
  const std::vector<Bar> loop = Section(kLoopChords[shape.seed % kLoopChords.size()], shape.loopBars, shape.seed * 3 + 1);
  const std::vector<Bar> outro = Section(kOutroChords, shape.outroBars, shape.seed * 3 + 2);
  const long loopStart = std::lround(shape.introBars * barSeconds * rate);
  const long loopFrames = std::lround(shape.loopBars * barSeconds * rate);
  const int bars = shape.introBars + shape.loopBars * shape.repeats + shape.outroBars;
  const long frames = std::lround(bars * barSeconds * rate);

  Track song(frames, channels, rate, false);
  AddBars(song, intro, 0, barSeconds, beat);
  AddBars(song, outro, shape.introBars + shape.loopBars * shape.repeats, barSeconds, beat);
  if (shape.seamlessLoop) {
    Track section(loopFrames, channels, rate, true);
    AddBars(section, loop, 0, barSeconds, beat);
    std::vector<float> samples = song.Samples();
    for (int repeat = 0; repeat < shape.repeats; ++repeat) {
      const size_t at = static_cast<size_t>(loopStart + repeat * loopFrames) * channels;
      for (size_t i = 0; i < section.Samples().size() && at + i < samples.size(); ++i) samples[at + i] += section.Samples()[i];
    }
    FadeOut(samples, channels, std::lround(shape.fadeOutSeconds * rate));
    return {{channels, rate, std::move(samples)}, {loopStart, loopStart + loopFrames}};
  }
  for (int repeat = 0; repeat < shape.repeats; ++repeat) {
    AddBars(song, loop, shape.introBars + shape.loopBars * repeat, barSeconds, beat);
  }
  std::vector<float> samples = song.Samples();
  FadeOut(samples, channels, std::lround(shape.fadeOutSeconds * rate));
  return {{channels, rate, std::move(samples)}, {loopStart, loopStart + loopFrames}};
}
