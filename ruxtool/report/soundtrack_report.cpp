// SoundtrackReport: the streams listed and reported on the threads of RunJobs, each line printed as
// its stream is done; marks and order once all are, since the loudness mark needs the median.
#include "report/soundtrack_report.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <new>
#include <thread>

#include "report/page_data.h"
#include "report/report_marks.h"
#include "report/report_page.h"
#include "report/stream_report.h"
#include "soundtrack/folder_make.h"
#include "soundtrack/parallel_jobs.h"
#include "system/console_output.h"

namespace {

const char* const kMarkWords[] = {"the join more abrupt than the music", "a click at the wrap",
                                  "the level dips at the wrap", "the loudness more than 1 LU from the median",
                                  "the true peak over the ceiling"};

// "12.34 s, loop frames A to B, -16.1 LUFS, true peak -1.2 dBTP", or "failed: REASON".
std::string Line(const StreamReport& report) {
  if (!report.failure.empty()) return "failed: " + report.failure;
  const HeardStream& heard = report.heard;
  char text[160];
  std::snprintf(text, sizeof text, "%.2f s, %s%ld to %ld, %.1f LUFS, true peak %.1f dBTP",
                static_cast<double>(heard.LoopEnd()) / static_cast<double>(heard.layout.rate),
                heard.LoopStart() > 0 ? "loop frames " : "frames ", heard.LoopStart(), heard.LoopEnd(),
                heard.loudness.lufs, heard.loudness.truePeakDb);
  return text;
}

void PrintMarked(const std::vector<StreamReport>& reports) {
  for (const StreamReport& report : reports) {
    if (report.marks.empty()) continue;
    std::string marks;
    for (const Mark mark : report.marks)
      marks += (marks.empty() ? "" : ", ") + std::string(kMarkWords[static_cast<int>(mark)]);
    Print("listen to %s: %s\n", report.files.name.c_str(), marks.c_str());
  }
}

}  // namespace

// make's check playing one input's streams; once they are kept, what it heard goes to the report.
class SoundtrackReport::MadeListening : public StreamListening {
 public:
  MadeListening(SoundtrackReport& report, const MakeRequest& request)
      : report_(report), loopPath_(request.loopPath), singlePath_(request.singlePath) {}
  void Begin(const PlaybackLayout& layout) override {
    twoParts_ = layout.introFrames > 0;
    StreamListening::Begin(layout);
  }
  void Kept() override { report_.Keep(twoParts_ ? loopPath_ : singlePath_, Result()); }

 private:
  SoundtrackReport& report_;
  const std::string loopPath_, singlePath_;
  bool twoParts_ = false;
};

SoundtrackReport::SoundtrackReport(const Rux2Exports& rux, const ReportOptions& options)
    : rux_(rux), options_(options) {}

SoundtrackReport::~SoundtrackReport() = default;

bool SoundtrackReport::Open(std::string& error) { return folder_.Open(options_.reportFolder, error); }

PlaybackListener* SoundtrackReport::ListenerFor(const MakeRequest& request) {
  const std::lock_guard<std::mutex> lock(heardMutex_);
  listenings_.push_back(std::make_unique<MadeListening>(*this, request));
  return listenings_.back().get();
}

// The streams are made by now: whatever goes wrong here fails their report, not their making.
void SoundtrackReport::Keep(const std::string& path, HeardStream heard) {
  Heard kept{std::move(heard), NextMedia()};
  std::string error;
  try {
    if (kept.heard.problem.empty() && !WriteMedia(folder_, kept.media, kept.heard, error)) kept.heard.problem = error;
  } catch (const std::exception& exception) {
    kept.heard.problem = std::string("its report's pictures and sound cannot be written: ") + exception.what();
  }
  const std::lock_guard<std::mutex> lock(heardMutex_);
  heard_[path] = std::move(kept);
}

// A stream's report that fails alone: what it throws is its failure, and the others go on.
StreamReport SoundtrackReport::ReportOne(const StreamFiles& stream) {
  const auto made = heard_.find(stream.loopPath);
  const bool heard = made != heard_.end();
  try {
    return ReportStream(rux_, stream, heard ? &made->second.heard : nullptr, folder_,
                        heard ? made->second.media : NextMedia());
  } catch (const std::bad_alloc&) {
    return FailedReport(
        stream, "not enough memory to play it beside the streams under way; report again with fewer at once (-j)");
  } catch (const std::exception& exception) {
    return FailedReport(stream, exception.what());
  }
}

int SoundtrackReport::Write(const std::function<bool()>& interrupted) {
  const auto started = std::chrono::steady_clock::now();
  std::vector<StreamFiles> streams;
  std::string error;
  if (!ListStreams(options_.folder, streams, error)) {
    PrintError("ruxtool: %s\n", error.c_str());
    return 1;
  }
  if (streams.empty()) {
    PrintError("ruxtool: %s holds no streams (NAME.intro.ogg with NAME.loop.ogg, or NAME.ogg): no report\n",
               options_.folder.c_str());
    return 1;
  }
  std::vector<StreamReport> reports(streams.size());
  std::mutex printing;
  size_t finished = 0;
  const unsigned jobs = options_.jobs ? options_.jobs : std::max(1u, std::thread::hardware_concurrency());
  // Each job holds a stream's two files and a few seconds of its sound: a few megabytes.
  const JobMemory memory{std::vector<uint64_t>(streams.size(), 0), 0};
  RunJobs(
      streams.size(), jobs, memory,
      [&](size_t index) {
        reports[index] = ReportOne(streams[index]);
        const std::lock_guard<std::mutex> lock(printing);
        Print("[%zu/%zu] %s: %s\n", ++finished, streams.size(), streams[index].name.c_str(),
              Line(reports[index]).c_str());
        std::fflush(stdout);
      },
      interrupted);
  if (finished < streams.size() || interrupted()) {
    Print("interrupted: %zu of %zu streams not reported; no page written\n", streams.size() - finished, streams.size());
    return 1;
  }
  const SoundtrackTotals totals = MarkStreams(reports);
  PutWorstFirst(reports);
  PrintMarked(reports);
  const bool written = WritePageFiles(folder_, error) &&
                       folder_.Commit(ReportPage(folder_.FilesName(), PageData(reports, totals)), error);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  char totalsLine[200];
  std::snprintf(totalsLine, sizeof totalsLine, "%zu streams in %.1f s: %zu to listen to, %zu failed", totals.streams,
                seconds, totals.marked, totals.failed);
  std::string line = totalsLine;
  if (totals.measured) {
    std::snprintf(totalsLine, sizeof totalsLine, "; loudness %.1f to %.1f LUFS, median %.1f", totals.lowestLufs,
                  totals.highestLufs, totals.medianLufs);
    line += totalsLine;
  }
  Print("%s; %s\n", line.c_str(), written ? ("the page: " + folder_.PagePath()).c_str() : "no page written");
  if (!written) PrintError("ruxtool: %s\n", error.c_str());
  return written && totals.failed == 0 ? 0 : 1;
}

int ReportSoundtrack(const Rux2Exports& rux, const ReportOptions& options, const std::function<bool()>& interrupted) {
  SoundtrackReport report(rux, options);
  std::string error;
  if (!report.Open(error)) {
    PrintError("ruxtool: %s\n", error.c_str());
    return 1;
  }
  return report.Write(interrupted);
}

int MakeFolderWithReport(const Rux2Exports& rux, const MakeOptions& options, const std::function<bool()>& interrupted,
                         uint64_t memory) {
  SoundtrackReport report(rux, {options.output, options.report, options.jobs});
  std::string error;
  if (!report.Open(error)) {
    PrintError("ruxtool: %s\n", error.c_str());
    return 1;
  }
  const int made = MakeFolder(rux, options, interrupted, memory,
                              [&](const MakeRequest& request) { return report.ListenerFor(request); });
  const int reported = report.Write(interrupted);
  return made ? made : reported;
}
