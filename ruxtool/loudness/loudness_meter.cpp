// LoudnessMeter: libebur128 in its integrated mode, its speakers named for the Vorbis channel order,
// beside the true-peak meter. ebur128_init writes tables of the library's own that every meter reads
// as it measures: a meter is made while no other measures.
#include "loudness/loudness_meter.h"

#include <algorithm>
#include <cmath>
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

ebur128_state* MakeState(int channels, long rate) {
  if (channels < 1 || channels > 8) return nullptr;
  const std::lock_guard<std::shared_mutex> making(libraryTables);
  return ebur128_init(static_cast<unsigned>(channels), static_cast<unsigned long>(rate), EBUR128_MODE_I);
}

}  // namespace

LoudnessMeter::LoudnessMeter(int channels, long rate) : state_(MakeState(channels, rate)), truePeak_(channels, rate) {
  for (int channel = 0; state_ && channel < channels; ++channel) {
    ebur128_set_channel(state_, static_cast<unsigned>(channel), kSpeakers[channels - 1][channel]);
  }
}

LoudnessMeter::~LoudnessMeter() {
  if (state_) ebur128_destroy(&state_);
}

bool LoudnessMeter::Add(const float* frames, long count) {
  truePeak_.Add(frames, count);
  const std::shared_lock<std::shared_mutex> measuring(libraryTables);
  return ebur128_add_frames_float(state_, frames, static_cast<size_t>(count)) == EBUR128_SUCCESS;
}

Loudness LoudnessMeter::Result() const {
  Loudness loudness;
  const std::shared_lock<std::shared_mutex> measuring(libraryTables);
  ebur128_loudness_global(state_, &loudness.lufs);
  loudness.truePeakDb = 20 * std::log10(truePeak_.Peak());
  return loudness;
}

bool MeasureLoudness(const PcmAudio& audio, long frames, Loudness& loudness) {
  LoudnessMeter meter(audio.channels, audio.rate);
  if (!meter.Ready()) return false;
  for (long frame = 0; frame < frames; frame += kFramesPerBlock) {
    if (StopRequested() || !meter.Add(audio.Frame(frame), std::min(kFramesPerBlock, frames - frame))) return false;
  }
  loudness = meter.Result();
  return true;
}
