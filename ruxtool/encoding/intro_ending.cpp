// IntroEndedAlone: the last seconds of the introduction encoded afresh, without the loop's start after
// them, and spliced into the introduction's packets where the two encodings agree byte for byte.
//
// Encoded with the loop's start after it, the introduction's last frames are coded in long blocks
// whose noise spreads over a block's span and follows what the loop's start holds. Encoded alone, the
// introduction ends as libvorbis ends any stream: continued past its end by linear prediction and
// cut into short blocks over its last frames. Which of the two meets the loop part better depends on
// the music, so make measures both.
//
// An encoder started a few seconds before the end, from where its blocks fall on the introduction's,
// makes the introduction's own packets again once it has seen the same recent peaks (its masking
// follows them down by 6 dB a second). A packet decodes the same wherever it sits when its bytes are
// the same, as they name the sizes of the windows beside it; so after the last packet the two
// encodings share, the new ending continues the introduction exactly.
#include "encoding/intro_ending.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

// An encoder started this long before the loop's start makes the introduction's own packets well
// before it: within a second in music, once the peaks it remembers are the introduction's.
constexpr long kEndingSeconds = 2;

}  // namespace

std::string IntroEndedAlone(const PcmAudio& audio, LoopPoints loop, const VorbisSettings& settings,
                            const PartPackets& intro) {
  if (intro.audio.empty()) return {};
  const std::vector<int64_t> introCentres = PacketCentres(intro.audio);
  const long start = AlignedStart(intro.audio, loop.start - kEndingSeconds * settings.rate);
  const long frames = loop.start - start;
  const PartPackets ending = EncodePackets(audio, PartPlan{{{start, frames}}, 0, frames}, settings);
  const std::vector<int64_t> endingCentres = PacketCentres(ending.audio);
  // The last packet both encodings hold at the same place before the loop's start: the ending's
  // packets after it take the place of the introduction's.
  for (size_t k = ending.audio.size(); k-- > 0;) {
    const int64_t centre = start + endingCentres[k];
    const auto same = std::lower_bound(introCentres.begin(), introCentres.end(), centre);
    if (centre >= loop.start || same == introCentres.end() || *same != centre) continue;
    const auto shared = intro.audio.begin() + (same - introCentres.begin());
    if (shared->bytes != ending.audio[k].bytes) continue;
    PartPackets spliced{intro.headers, {intro.audio.begin(), shared + 1}};
    spliced.audio.insert(spliced.audio.end(), ending.audio.begin() + static_cast<std::ptrdiff_t>(k) + 1,
                         ending.audio.end());
    return LayPart(spliced, PartPlan{{}, 0, loop.start}, settings.serial);
  }
  return {};
}
