// ListStreams: the .ogg files listed, each introduction looking for its loop part among them.
#include "report/stream_files.h"

#include <algorithm>
#include <set>

#include "making/made_from.h"
#include "system/folder_files.h"
#include "system/path_names.h"

namespace {

const char kIntro[] = ".intro.ogg";
const char kLoop[] = ".loop.ogg";

// As Windows matches names, without regard to case.
bool EndsWith(const std::string& name, const std::string& ending) {
  return name.size() >= ending.size() && SameName(name.substr(name.size() - ending.size()), ending);
}

bool IsStream(const std::string& name) { return EndsWith(name, ".ogg"); }

// The loop part listed for the introduction, or none.
const std::string* LoopPartOf(const std::string& intro, const std::vector<std::string>& files) {
  const std::string wanted = intro.substr(0, intro.size() - (sizeof kIntro - 1)) + kLoop;
  for (const std::string& file : files) {
    if (SameName(file, wanted)) return &file;
  }
  return nullptr;
}

}  // namespace

bool ListStreams(const std::string& folder, std::vector<StreamFiles>& streams, std::string& error) {
  std::vector<std::string> files;
  if (!ListFiles(folder, IsStream, files, error)) return false;
  std::set<std::string> paired;
  for (const std::string& file : files) {
    if (!EndsWith(file, kIntro)) continue;
    MadeFrom made;
    const bool recorded = ReadMadeFrom(JoinedPath(folder, file), made);
    const std::string* loop = LoopPartOf(file, files);
    // Made as a single stream, or neither paired nor recorded as an introduction.
    if ((recorded && made.loop == "none") || (!loop && !recorded)) continue;
    StreamFiles stream{file.substr(0, file.size() - (sizeof kIntro - 1)), JoinedPath(folder, file), {}, {}};
    paired.insert(file);
    if (loop) {
      stream.loopPath = JoinedPath(folder, *loop);
      paired.insert(*loop);
    } else {
      stream.problem = "its loop part " + stream.name + kLoop + " is missing";
    }
    streams.push_back(stream);
  }
  for (const std::string& file : files) {
    if (!paired.count(file)) streams.push_back({file.substr(0, file.size() - 4), {}, JoinedPath(folder, file), {}});
  }
  std::sort(streams.begin(), streams.end(), [](const StreamFiles& a, const StreamFiles& b) { return a.name < b.name; });
  return true;
}
