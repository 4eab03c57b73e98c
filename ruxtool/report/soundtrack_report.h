// ruxtool report FOLDER REPORT_FOLDER, and make --report: a page on which a person sees and hears every
// loop of a soundtrack, worst first. Streams that make has just played are reported from that
// playback; the others are played through rux2's exports, several at once.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "make_options/make_options.h"
#include "making/stream_making.h"
#include "report/report_folder.h"
#include "report/stream_listening.h"
#include "report/stream_report.h"
#include "rux2_library/rux2_exports.h"
#include "system/path_names.h"

struct ReportOptions {
  std::string folder;        // where the streams were made
  std::string reportFolder;  // where the page goes; never in the streams' folder, which ships
  unsigned jobs = 0;         // streams played at once; 0 for one per processor
};

class SoundtrackReport {
 public:
  SoundtrackReport(const Rux2Exports& rux, const ReportOptions& options);
  ~SoundtrackReport();
  SoundtrackReport(const SoundtrackReport&) = delete;
  SoundtrackReport& operator=(const SoundtrackReport&) = delete;

  // The report folder made ready for a new report. False, with the reason in error, when it cannot be.
  bool Open(std::string& error);
  // Hears make's check play the request's streams, and takes what it heard once they are kept.
  PlaybackListener* ListenerFor(const MakeRequest& request);
  // Every stream under the folder, a line for each as it is done, the marked ones, then the totals and
  // the page. The exit code: 1 when a stream failed, the folder holds none, the page cannot be written
  // or the work was interrupted; else 0.
  int Write(const std::function<bool()>& interrupted);

 private:
  class MadeListening;
  struct Heard {
    HeardStream heard;
    std::string media;
  };

  std::string NextMedia() { return std::to_string(nextMedia_++); }
  void Keep(const std::string& path, HeardStream heard);
  StreamReport ReportOne(const StreamFiles& stream);

  const Rux2Exports& rux_;
  const ReportOptions options_;
  ReportFolder folder_;
  std::atomic<unsigned> nextMedia_{1};
  std::mutex heardMutex_;
  std::vector<std::unique_ptr<MadeListening>> listenings_;
  std::map<std::string, Heard, NameOrder> heard_;  // by the path of the loop part or single stream
};

// The report alone: Open, then Write; the exit code.
int ReportSoundtrack(const Rux2Exports& rux, const ReportOptions& options, const std::function<bool()>& interrupted);
// make --report: the folder made, the report hearing each file's check as it plays, then the report of
// the output folder; the exit code, make's where make failed. memory: as MakeFolder takes it.
int MakeFolderWithReport(const Rux2Exports& rux, const MakeOptions& options, const std::function<bool()>& interrupted,
                         uint64_t memory);
