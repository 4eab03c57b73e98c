// ReportStream: each step may fail the stream with a reason; the other streams go on.
#include "report/stream_report.h"


#include "audio_files/wav_writer.h"
#include "report/stream_pictures.h"
#include "report/stream_playback.h"
#include "system/file_access.h"

const char* const kMediaNames[5] = {"-wrap.wav", "-entry.wav", "-envelope.svg", "-wrap.svg", "-level.svg"};

namespace {

// The introduction's and the loop part's records tell of one making: the same input, options and loop.
std::string CompareRecords(const MadeFrom& intro, bool introRecorded, const MadeFrom& loop, bool loopRecorded) {
  if (introRecorded != loopRecorded) {
    return std::string("only its ") + (introRecorded ? "introduction" : "loop part") + " records how ruxtool made it";
  }
  if (introRecorded && (!intro.SameSource(loop) || intro.loop != loop.loop)) {
    return "its introduction and loop part were made apart: from other inputs, options or loops";
  }
  return {};
}

// A recorded loop is where the parts meet as they play.
std::string CompareLoop(const MadeFrom& made, const HeardStream& heard) {
  UsedLoop used;
  if (!UsedLoop::Read(made.loop, used)) return {};
  const long start = used.start, end = used.end;
  if (start == heard.LoopStart() && end == heard.LoopEnd()) return {};
  return "its record names the loop frames " + std::to_string(start) + " to " + std::to_string(end) +
         ", but its parts play " + std::to_string(heard.LoopStart()) + " and " +
         std::to_string(heard.layout.loopFrames) + " frames";
}

std::string WavBytes(const HeardStream& heard, const Excerpt& excerpt) {
  return WavFileBytes(heard.layout.channels, static_cast<unsigned long>(heard.layout.rate), excerpt.pcm);
}

}  // namespace

StreamReport FailedReport(const StreamFiles& files, const std::string& reason) {
  StreamReport report;
  report.files = files;
  report.failure = reason;
  return report;
}

bool WriteMedia(const ReportFolder& folder, const std::string& media, HeardStream& heard, std::string& error) {
  const bool twoParts = heard.LoopStart() > 0;
  const bool written = folder.Write(media + kMediaNames[0], WavBytes(heard, heard.wrap), error) &&
                       (!twoParts || folder.Write(media + kMediaNames[1], WavBytes(heard, heard.entry), error)) &&
                       folder.Write(media + kMediaNames[2], EnvelopePicture(heard), error) &&
                       folder.Write(media + kMediaNames[3], WrapPicture(heard), error) &&
                       folder.Write(media + kMediaNames[4], LevelPicture(heard), error);
  heard.wrap = heard.entry = Excerpt();
  heard.envelopeLow = heard.envelopeHigh = std::vector<float>();
  heard.wrapLevel = LevelCurve();
  return written;
}

StreamReport ReportStream(const Rux2Exports& rux, const StreamFiles& files, const HeardStream* heard,
                          const ReportFolder& folder, const std::string& media) {
  StreamReport report = FailedReport(files, files.problem);
  if (!report.failure.empty()) return report;
  const std::string intro = files.introPath.empty() ? std::string() : ReadWholeFile(files.introPath);
  const std::string loop = ReadWholeFile(files.loopPath);
  if ((!files.introPath.empty() && intro.empty()) || loop.empty()) {
    report.failure = "it cannot be read";
    return report;
  }
  report.bytes = intro.size() + loop.size();
  MadeFrom introMade;
  const bool introRecorded = !files.introPath.empty() && ReadMadeFrom(files.introPath, introMade);
  report.recorded = ReadMadeFrom(files.loopPath, report.made);
  if (!files.introPath.empty()) report.failure = CompareRecords(introMade, introRecorded, report.made, report.recorded);
  if (!report.failure.empty()) return report;
  if (heard) {
    report.heard = *heard;
    report.media = heard->problem.empty() ? media : std::string();
  } else {
    StreamListening listening;
    report.failure = PlayStream(rux, intro, loop, listening);
    if (report.failure.empty()) report.heard = listening.Result();
  }
  if (report.failure.empty()) report.failure = report.heard.problem;
  if (report.failure.empty() && report.recorded) report.failure = CompareLoop(report.made, report.heard);
  if (report.failure.empty() && !heard) {
    report.media = media;
    if (!WriteMedia(folder, media, report.heard, report.failure)) report.media.clear();
  }
  return report;
}
