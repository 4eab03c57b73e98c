// RequestFor: the options copied over; the record's version is the release's.
#include "make_options/make_request.h"

#include "system/folder_files.h"

MakeRequest RequestFor(const MakeOptions& options, const std::string& input, const std::string& loopGiven) {
  MakeRequest request;
  request.input = input;
  LoopRequest& loop = request.loop;
  loop.wholeInput = options.loopOutput.empty() && !options.folder;
  loop.pointsGiven = options.loopStartGiven && !options.loopStartAuto;
  loop.start = options.loopStart;
  loop.endGiven = options.loopEndGiven;
  loop.end = options.loopEnd;
  loop.pointsSource = "the command line";
  loop.search = options.loopStartAuto ? LoopRequest::Search::kFirst : LoopRequest::Search::kNever;
  loop.exact = options.exactLoop;
  loop.toleranceGiven = options.loopToleranceGiven;
  loop.tolerance = options.loopTolerance;
  request.crossfade = {options.crossfadeAuto, options.crossfade};
  request.quality = options.quality;
  request.header = options.header;
  request.levelLoudness = options.loudnessGiven;
  request.loudness = options.loudness;
  request.record = {RUXTOOL_VERSION, FileStamp(input), ShapingOptions(options), loopGiven, ""};
  return request;
}
