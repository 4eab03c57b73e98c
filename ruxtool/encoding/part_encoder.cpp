// EncodePart: every frame of the plan encoded, then the packets that make the part laid into pages.
//
// libvorbis cuts a stream's start only when it decodes the first packet with a granule position, and
// only from the frames that packet completes: the frames of the packets before it have been handed
// out by then. The first audio page therefore holds exactly two packets, the one whose output is
// dropped anyway (the first a decoder sees completes nothing) and the one that completes the part's
// first frame.
#include "encoding/part_encoder.h"

#include <algorithm>
#include <cstdint>

#include "encoding/ogg_stream_writer.h"
#include "system/stop_request.h"

namespace {

constexpr long kLeadInSeconds = 10;
constexpr long kLeadOutBlocks = 4;
constexpr long kFramesPerWrite = 1024;

void Feed(VorbisPacketEncoder& encoder, const PcmAudio& audio, const PartPlan& plan) {
  for (const FrameRun& run : plan.runs) {
    for (long done = 0; done < run.count && !StopRequested(); done += kFramesPerWrite) {
      encoder.Write(audio.Frame(run.first + done), std::min(kFramesPerWrite, run.count - done));
    }
  }
}

// ends[k]: the frame, counted from the first fed, up to which packet k completes the output.
std::vector<int64_t> OutputEnds(const std::vector<AudioPacket>& packets) {
  std::vector<int64_t> ends(packets.size());
  for (size_t k = 1; k < packets.size(); ++k) {
    ends[k] = ends[k - 1] + packets[k - 1].blockSize / 4 + packets[k].blockSize / 4;
  }
  return ends;
}

long PhaseAt(const std::vector<int64_t>& ends, int64_t frame) {
  int64_t centre = 0;
  for (int64_t end : ends) {
    if (end > frame) break;
    centre = end;
  }
  return static_cast<long>(frame - centre);
}

}  // namespace

PartContext ContextFor(const VorbisSettings& settings) {
  const long longBlock = LongBlockSize(settings);
  if (longBlock == 0) return {};
  return {kLeadInSeconds * settings.rate, kLeadOutBlocks * longBlock, kLeadOutBlocks * longBlock};
}

EncodedPart EncodePart(const PcmAudio& audio, const PartPlan& plan, const VorbisSettings& settings) {
  VorbisPacketEncoder encoder(settings);
  if (!encoder.Ready()) return {};
  OggStreamWriter stream(settings.serial);
  stream.WriteHeaders(encoder.Headers());
  Feed(encoder, audio, plan);
  const std::vector<AudioPacket>& packets = encoder.Finish();
  const std::vector<int64_t> ends = OutputEnds(packets);
  const int64_t partEnd = plan.before + plan.length;
  // The packet that completes the part's first frame, and the one before it, which a decoder needs.
  size_t first = 0;
  while (plan.before > 0 && first + 1 < packets.size() && ends[first + 1] <= plan.before) ++first;
  for (size_t k = first; k < packets.size(); ++k) {
    const bool last = ends[k] >= partEnd || k + 1 == packets.size();
    const int64_t granule = last ? plan.length : std::max<int64_t>(ends[k] - plan.before, 0);
    stream.WriteAudio(packets[k].bytes, granule, plan.before > 0 && k == first + 1, last);
    if (last) break;
  }
  return {stream.Bytes(), PhaseAt(ends, plan.before), PhaseAt(ends, partEnd)};
}
