// EncodePart: every frame of the plan encoded (EncodePackets), then the packets that make the part laid
// into pages (LayPart).
//
// libvorbis cuts a stream's start only when it decodes the first packet with a granule position, and
// only from the frames that packet completes: the frames of the packets before it have been handed
// out by then. The first audio page therefore holds exactly two packets, the one whose output is
// dropped anyway (the first a decoder sees completes nothing) and the one that completes the part's
// first frame.
#include "encoding/part_encoder.h"

#include <algorithm>
#include <cstdint>
#include <utility>

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

}  // namespace

PartContext ContextFor(const VorbisSettings& settings) {
  const long longBlock = LongBlockSize(settings);
  if (longBlock == 0) return {};
  return {kLeadInSeconds * settings.rate, kLeadOutBlocks * longBlock, kLeadOutBlocks * longBlock};
}

PartPackets EncodePackets(const PcmAudio& audio, const PartPlan& plan, const VorbisSettings& settings) {
  VorbisPacketEncoder encoder(settings);
  if (!encoder.Ready()) return {};
  PartPackets packets{encoder.Headers(), {}};
  Feed(encoder, audio, plan);
  packets.audio = std::move(encoder.Finish());
  return packets;
}

std::vector<int64_t> PacketCentres(const std::vector<AudioPacket>& packets) {
  std::vector<int64_t> centres(packets.size());
  for (size_t k = 1; k < packets.size(); ++k) {
    centres[k] = centres[k - 1] + packets[k - 1].blockSize / 4 + packets[k].blockSize / 4;
  }
  return centres;
}

long AlignedStart(const std::vector<AudioPacket>& packets, int64_t from) {
  int longest = 0;
  for (const AudioPacket& packet : packets) longest = std::max(longest, packet.blockSize);
  size_t firstLong = 0;
  while (firstLong < packets.size() && packets[firstLong].blockSize != longest) ++firstLong;
  const std::vector<int64_t> centres = PacketCentres(packets);
  for (size_t k = packets.size(); k-- > firstLong;) {
    if (centres[k] <= from && packets[k].blockSize == longest) {
      return static_cast<long>(centres[k] - centres[firstLong]);
    }
  }
  return 0;
}

std::string EncodePart(const PcmAudio& audio, const PartPlan& plan, const VorbisSettings& settings) {
  return LayPart(EncodePackets(audio, plan, settings), plan, settings.serial);
}

std::string LayPart(const PartPackets& packets, const PartPlan& plan, int serial) {
  if (packets.headers.empty()) return {};
  OggStreamWriter stream(serial);
  stream.WriteHeaders(packets.headers);
  const std::vector<AudioPacket>& audio = packets.audio;
  const std::vector<int64_t> centres = PacketCentres(audio);
  const int64_t partEnd = plan.before + plan.length;
  // The packet that completes the part's first frame, and the one before it, which a decoder needs.
  size_t first = 0;
  while (plan.before > 0 && first + 1 < audio.size() && centres[first + 1] <= plan.before) ++first;
  for (size_t k = first; k < audio.size(); ++k) {
    const bool last = centres[k] >= partEnd || k + 1 == audio.size();
    const int64_t granule = last ? plan.length : std::max<int64_t>(centres[k] - plan.before, 0);
    stream.WriteAudio(audio[k].bytes, granule, plan.before > 0 && k == first + 1, last);
    if (last) break;
  }
  return stream.Bytes();
}
