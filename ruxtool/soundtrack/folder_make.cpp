// MakeFolder: the files listed and their outputs named first, with what keeps any of them from being
// made; then each one made, or found up to date, on the threads of RunJobs.
#include "soundtrack/folder_make.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <map>
#include <mutex>
#include <new>
#include <thread>
#include <vector>

#include "audio_files/audio_file.h"
#include "audio_files/sample_room.h"
#include "make_options/make_request.h"
#include "making/made_from.h"
#include "making/output_files.h"
#include "making/stream_making.h"
#include "soundtrack/audio_file_names.h"
#include "soundtrack/loop_list.h"
#include "soundtrack/parallel_jobs.h"
#include "system/console_output.h"
#include "system/file_access.h"
#include "system/folder_files.h"
#include "system/path_names.h"

namespace {

enum class Outcome { kMade, kUpToDate, kFailed };

struct FolderFile {
  std::string relative;  // under the source folder
  MakeRequest request;
  std::string problem;  // what keeps it from being made, found before any file is
  bool upToDate = false;
  uint64_t memory = 0;  // what making it takes, from its header
};

// The loops.txt of each folder, read once; the lines that name no file are reported by MakeFolder.
class LoopLists {
 public:
  explicit LoopLists(const std::string& source) : source_(source) {}
  const LoopList& Of(const std::string& folder) {
    const auto found = lists_.find(folder);
    if (found != lists_.end()) return found->second;
    return lists_[folder] = ParseLoopList(ReadWholeFile(JoinedPath(source_, folder + "loops.txt")));
  }
  const std::map<std::string, LoopList>& All() const { return lists_; }

 private:
  const std::string source_;
  std::map<std::string, LoopList> lists_;
};

// The loop request of a file: its loops.txt line, else its tags, else the search if asked, else none.
void TakeLoopListEntry(const LoopListEntry* entry, LoopRequest& loop) {
  loop.wholeInput = entry && entry->noLoop;
  loop.pointsGiven = entry && !entry->noLoop;
  if (loop.pointsGiven) {
    loop.start = entry->start;
    loop.endGiven = entry->endGiven;
    loop.end = entry->end;
    loop.pointsSource = "loops.txt line " + std::to_string(entry->line);
  }
  loop.search = loop.search == LoopRequest::Search::kFirst ? LoopRequest::Search::kWhereUntagged : loop.search;
  loop.required = false;
}

FolderFile Plan(const MakeOptions& options, const std::string& relative, LoopLists& lists) {
  const size_t separator = LastSeparator(relative);
  const std::string folder = separator == std::string::npos ? std::string() : relative.substr(0, separator + 1);
  const std::string name = relative.substr(folder.size());
  std::string problem;
  const LoopListEntry* entry = lists.Of(folder).Find(name, problem);
  FolderFile file{relative, {}, problem};
  file.request = RequestFor(options, JoinedPath(options.input, relative), entry ? "loops.txt " + entry->text : "the input");
  TakeLoopListEntry(entry, file.request.loop);
  const std::string base = JoinedPath(options.output, relative.substr(0, relative.find_last_of('.')));
  file.request.introPath = base + ".intro.ogg";
  file.request.loopPath = base + ".loop.ogg";
  file.request.singlePath = base + ".ogg";
  return file;
}

// Two inputs that would write the same output (song.wav and song.flac, Song.wav and song.flac, or
// song.loop.wav and the loop part of song.wav) both fail.
void RefuseSharedOutputs(std::vector<FolderFile>& files) {
  std::map<std::string, std::vector<size_t>, NameOrder> byOutput;
  for (size_t i = 0; i < files.size(); ++i) {
    for (const std::string* path : {&files[i].request.introPath, &files[i].request.loopPath, &files[i].request.singlePath}) {
      byOutput[*path].push_back(i);
    }
  }
  for (const auto& shared : byOutput) {
    if (shared.second.size() < 2) continue;
    for (const size_t i : shared.second) {
      const size_t other = shared.second[i == shared.second.front() ? 1 : 0];
      files[i].problem = "its outputs would be those of " + files[other].relative;
    }
  }
}

// Lines of a loops.txt that name no file, or no audio file of its folder.
std::vector<std::string> UnusedLines(const LoopLists& lists, const std::vector<FolderFile>& files) {
  std::vector<std::string> unused;
  for (const auto& list : lists.All()) {
    const std::string& folder = list.first;
    for (const std::string& problem : list.second.problems) unused.push_back(folder + problem);
    for (const LoopListEntry& entry : list.second.entries) {
      bool named = false;
      for (const FolderFile& file : files) {
        named = named || (file.relative.compare(0, folder.size(), folder) == 0 &&
                          SameName(file.relative.substr(folder.size()), entry.name));
      }
      if (!named) {
        unused.push_back(folder + "loops.txt line " + std::to_string(entry.line) + ": it names " + entry.name +
                         ", which is no audio file of its folder");
      }
    }
  }
  return unused;
}

bool UpToDate(const MakeRequest& request) {
  MadeFrom intro, loop, single;
  return (ReadMadeFrom(request.introPath, intro) && ReadMadeFrom(request.loopPath, loop) &&
          intro.SameSource(request.record) && loop.SameSource(request.record)) ||
         (ReadMadeFrom(request.singlePath, single) && single.SameSource(request.record));
}

std::string Size(size_t bytes) {
  char text[32];
  if (bytes < 1024 * 1024) {
    std::snprintf(text, sizeof text, "%.1f KiB", bytes / 1024.0);
  } else {
    std::snprintf(text, sizeof text, "%.1f MiB", bytes / 1048576.0);
  }
  return text;
}

// "made, 92.30 s, loop frames A to B, join 96 % +4.3 dB, crossfade 0.40 s +0.5 dB, the parts meeting at
// frame C, gain -3.2 dB, seams -0.4 and +0.2 dB, no click, dip 0.3 dB, 1.6 MiB": the join's percentile
// of the song's moments and its excess over the music's own jump, cut and crossfaded.
std::string Summary(const MadeStreams& made) {
  char text[160];
  std::snprintf(text, sizeof text, "made, %.2f s", made.frames / static_cast<double>(made.rate));
  std::string summary = text;
  if (made.decodedFromVorbis) summary += ", decoded from Ogg Vorbis and encoded again";
  if (made.loop.wholeInput) {
    summary += ", no loop";
  } else {
    summary += ", loop frames " + std::to_string(made.loop.loop.start) + " to " + std::to_string(made.loop.loop.end);
    if (!made.loop.moved.empty()) summary += " (" + made.loop.moved + ")";
    std::snprintf(text, sizeof text, ", join %.0f %% %+.1f dB", made.join.percentile, made.join.excessDb);
    summary += text;
    if (made.crossfade.frames) {
      const double seconds = made.crossfade.frames / static_cast<double>(made.rate);
      std::snprintf(text, sizeof text, ", crossfade %.2f s %+.1f dB", seconds, made.crossfadedExcessDb);
      summary += text;
      if (made.crossfade.asked > made.crossfade.frames) summary += ", shortened to what precedes the loop";
      if (made.crossfade.parts.start != made.loop.loop.start) {
        summary += ", the parts meeting at frame " + std::to_string(made.crossfade.parts.start);
      }
    }
  }
  if (made.levelled) {
    std::snprintf(text, sizeof text, ", gain %+.1f dB", made.level.gainDb);
    summary += text;
  }
  std::string seams;
  for (const SeamResult& seam : made.check.seams) {
    if (!seam.error.measured) continue;
    std::snprintf(text, sizeof text, "%s%+.1f", seams.empty() ? "" : " and ", seam.error.Cost());
    seams += text;
  }
  if (!seams.empty()) summary += ", seam" + std::string(made.check.seams.size() > 1 ? "s " : " ") + seams + " dB";
  const WrapFigures& wrap = made.check.wrap;
  summary += wrap.Clicks() ? ", the wrap clicks" : ", no click";
  if (wrap.crossfaded) {
    std::snprintf(text, sizeof text, ", dip %.1f dB", wrap.dipDb);
    summary += text;
  }
  return summary + ", " + Size(made.introBytes + made.loopBytes);
}

// Whether the file is up to date, else what making it takes, from its header: a file that could never
// fit fails before it is read.
void WeighUp(const MakeOptions& options, uint64_t memory, FolderFile& file) {
  file.upToDate = file.problem.empty() && !options.force && UpToDate(file.request);
  AudioShape shape;
  if (!file.problem.empty() || file.upToDate || !ReadAudioShape(file.request.input, shape)) return;
  file.memory = MemoryToMake(shape.frames, shape.channels);
  if (file.memory <= memory) return;
  file.problem = "it does not fit in memory: its " + std::to_string(shape.frames) + " frames of " +
                 std::to_string(shape.channels) + " channels take " + MebibytesText(file.memory) + " to make, and " +
                 "this program has " + MebibytesText(memory) + " free";
  file.memory = 0;
}

// One file made; the text after its name on its line.
Outcome MakeFile(const Rux2Exports& rux, const FolderFile& file, const std::function<bool()>& interrupted,
                 std::string& text) {
  MadeStreams made;
  std::string error;
  if (!MakeParentFolders(file.request.singlePath)) {
    error = "cannot make the folder of " + file.request.singlePath;
  } else if (MakeStreams(rux, file.request, interrupted, made, error)) {
    text = Summary(made);
    return Outcome::kMade;
  }
  // The line names the file already.
  const std::string named = file.request.input + ": ";
  text = "failed: " + (error.compare(0, named.size(), named) == 0 ? error.substr(named.size()) : error);
  return Outcome::kFailed;
}

// A job never ends the process: what it throws fails its file alone, whose outputs' temporary files
// are removed as the exception leaves them.
Outcome RunFileJob(const Rux2Exports& rux, const FolderFile& file, const std::function<bool()>& interrupted,
                   std::string& text) {
  if (!file.problem.empty()) {
    text = "failed: " + file.problem;
    return Outcome::kFailed;
  }
  if (file.upToDate) {
    text = "up to date";
    return Outcome::kUpToDate;
  }
  try {
    return MakeFile(rux, file, interrupted, text);
  } catch (const std::bad_alloc&) {
    text = "failed: not enough memory to make it beside the files under way; make it again with fewer at once (-j)";
  } catch (const std::exception& exception) {
    text = std::string("failed: ") + exception.what();
  }
  return Outcome::kFailed;
}

// Temporary files that an earlier run left when it was ended at once.
void SweepTemporaries(const std::string& output) {
  const size_t left = SweepTemporaryOutputs(output);
  if (left) Print("cleared %zu temporary %s that an interrupted run left\n", left, left == 1 ? "file" : "files");
}

}  // namespace

int MakeFolder(const Rux2Exports& rux, const MakeOptions& options, const std::function<bool()>& interrupted,
               uint64_t memory, const ListenerFor& listenerFor) {
  const auto started = std::chrono::steady_clock::now();
  std::vector<std::string> relatives;
  size_t macFiles = 0;
  std::string error;
  if (!ListAudioFiles(options.input, relatives, macFiles, error)) {
    PrintError("ruxtool: %s\n", error.c_str());
    return 1;
  }
  LoopLists lists(options.input);
  std::vector<FolderFile> files;
  for (const std::string& relative : relatives) {
    files.push_back(Plan(options, relative, lists));
    if (listenerFor) files.back().request.listener = listenerFor(files.back().request);
  }
  RefuseSharedOutputs(files);
  const std::vector<std::string> unused = UnusedLines(lists, files);
  for (const std::string& line : unused) Print("%s\n", line.c_str());
  SweepTemporaries(options.output);
  JobMemory jobMemory{{}, memory};
  for (FolderFile& file : files) {
    WeighUp(options, memory, file);
    jobMemory.needs.push_back(file.memory);
  }

  std::mutex printing;
  size_t finished = 0, counts[3] = {};
  const unsigned jobs = options.jobs ? options.jobs : std::max(1u, std::thread::hardware_concurrency());
  RunJobs(
      files.size(), jobs, jobMemory,
      [&](size_t index) {
        std::string text;
        const Outcome outcome = RunFileJob(rux, files[index], interrupted, text);
        const std::lock_guard<std::mutex> lock(printing);
        ++counts[static_cast<int>(outcome)];
        Print("[%zu/%zu] %s: %s\n", ++finished, files.size(), files[index].relative.c_str(), text.c_str());
        std::fflush(stdout);
      },
      interrupted);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  Print("%zu files in %.1f s: %zu made, %zu up to date, %zu failed", files.size(), seconds,
              counts[static_cast<int>(Outcome::kMade)], counts[static_cast<int>(Outcome::kUpToDate)],
              counts[static_cast<int>(Outcome::kFailed)]);
  if (!unused.empty()) Print("; %zu %s of loops.txt failed", unused.size(), unused.size() == 1 ? "line" : "lines");
  if (macFiles) {
    Print("; %zu %s of a Mac's zip passed over (__MACOSX, ._NAME)", macFiles, macFiles == 1 ? "file" : "files");
  }
  if (finished < files.size()) Print("; interrupted, %zu not made", files.size() - finished);
  Print("\n");
  const bool failed = counts[static_cast<int>(Outcome::kFailed)] || !unused.empty() || finished < files.size();
  return failed ? 1 : 0;
}
