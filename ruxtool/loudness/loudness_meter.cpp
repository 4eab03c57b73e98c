// MeasureLoudness: the frames handed to libebur128 a block at a time, its speakers named for the
// Vorbis channel order. ebur128_init writes tables of the library's own that every meter reads as it
// measures: a meter is made while no other measures.
#include "loudness/loudness_meter.h"

#include <ebur128.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>
#include <shared_mutex>

#include "system/stop_request.h"

namespace {

constexpr long kFramesPerBlock = 65536;

// Each Vorbis channel's speaker: the surround pair (±110°) and the side pair (±90°) count 1.41 times,
// the rear pair (±135°), the rear centre and the front once; the LFE is left out of the loudness (its
// peaks still count). A mono track plays on both front speakers, where it sounds 3 dB louder than from
// one: dual mono, as EBU Tech 3344 measures it.
const int kSpeakers[8][8] = {
    {EBUR128_DUAL_MONO},
    {EBUR128_LEFT, EBUR128_RIGHT},
    {EBUR128_LEFT, EBUR128_CENTER, EBUR128_RIGHT},
    {EBUR128_LEFT, EBUR128_RIGHT, EBUR128_LEFT_SURROUND, EBUR128_RIGHT_SURROUND},
    {EBUR128_LEFT, EBUR128_CENTER, EBUR128_RIGHT, EBUR128_LEFT_SURROUND, EBUR128_RIGHT_SURROUND},
    {EBUR128_LEFT, EBUR128_CENTER, EBUR128_RIGHT, EBUR128_LEFT_SURROUND, EBUR128_RIGHT_SURROUND, EBUR128_UNUSED},
    {EBUR128_LEFT, EBUR128_CENTER, EBUR128_RIGHT, EBUR128_Mp090, EBUR128_Mm090, EBUR128_Mp180, EBUR128_UNUSED},
    {EBUR128_LEFT, EBUR128_CENTER, EBUR128_RIGHT, EBUR128_Mp090, EBUR128_Mm090, EBUR128_Mp135, EBUR128_Mm135,
     EBUR128_UNUSED},
};

std::shared_mutex libraryTables;

struct StateDestroyer {
  void operator()(ebur128_state* state) const { ebur128_destroy(&state); }
};
using Meter = std::unique_ptr<ebur128_state, StateDestroyer>;

double HighestTruePeak(ebur128_state* state, int channels) {
  double highest = 0;
  for (int channel = 0; channel < channels; ++channel) {
    double peak = 0;
    ebur128_true_peak(state, static_cast<unsigned>(channel), &peak);
    highest = std::max(highest, peak);
  }
  return highest;
}

Meter MakeMeter(const PcmAudio& audio) {
  const std::lock_guard<std::shared_mutex> making(libraryTables);
  return Meter(ebur128_init(static_cast<unsigned>(audio.channels), static_cast<unsigned long>(audio.rate),
                            EBUR128_MODE_I | EBUR128_MODE_TRUE_PEAK));
}

}  // namespace

bool MeasureLoudness(const PcmAudio& audio, long frames, Loudness& loudness) {
  Meter meter = MakeMeter(audio);
  const std::shared_lock<std::shared_mutex> measuring(libraryTables);
  if (!meter) return false;
  for (int channel = 0; channel < audio.channels; ++channel) {
    ebur128_set_channel(meter.get(), static_cast<unsigned>(channel), kSpeakers[audio.channels - 1][channel]);
  }
  for (long frame = 0; frame < frames; frame += kFramesPerBlock) {
    if (StopRequested()) return false;
    const long count = std::min(kFramesPerBlock, frames - frame);
    if (ebur128_add_frames_float(meter.get(), audio.Frame(frame), static_cast<size_t>(count)) != EBUR128_SUCCESS) {
      return false;
    }
  }
  ebur128_loudness_global(meter.get(), &loudness.lufs);
  loudness.truePeakDb = 20 * std::log10(HighestTruePeak(meter.get(), audio.channels));
  return true;
}
