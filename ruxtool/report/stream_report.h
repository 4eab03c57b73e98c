// One stream's part of the report: its files read, its records compared, its playback heard (as make
// played it, or played now through rux2's exports), its players' sound and its pictures written into
// the report folder.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "making/made_from.h"
#include "report/heard_stream.h"
#include "report/report_folder.h"
#include "report/stream_files.h"
#include "rux2_library/rux2_exports.h"

// The report's pictures and sound of one stream, named by its number: "3-wrap.wav", "3-entry.wav",
// "3-envelope.svg", "3-wrap.svg", "3-level.svg".
extern const char* const kMediaNames[5];

// What asks for a person's ear.
enum class Mark {
  kJoin,      // the musical join more abrupt than 90 % of the song's moments, and than the music there
  kClick,     // the wrap more abrupt than 99 % of the song's moments
  kDip,       // the level more than 3 dB down at the wrap
  kLoudness,  // more than 1 LU from the soundtrack's median
  kTruePeak,  // the true peak as played over the ceiling make levels to
};

struct StreamReport {
  StreamFiles files;
  std::string failure;  // empty when the stream played
  bool recorded = false;
  MadeFrom made;      // the loop part's record, or the single stream's
  size_t bytes = 0;   // of both parts
  HeardStream heard;  // the excerpts and the envelope emptied once written
  std::string media;  // the number its files go by; empty where none were written
  std::vector<Mark> marks;
};

// The report of a stream that failed for the reason.
StreamReport FailedReport(const StreamFiles& files, const std::string& reason);

// Writes what the heard stream's players and pictures show into the folder, then empties the sound
// and the envelope, which the report needs no more. False, with the reason in error, when it cannot.
bool WriteMedia(const ReportFolder& folder, const std::string& media, HeardStream& heard, std::string& error);

// The report of the stream, played through rux2's exports unless heard is given (as make heard it,
// its media written). media: the number to write its files under.
StreamReport ReportStream(const Rux2Exports& rux, const StreamFiles& files, const HeardStream* heard,
                          const ReportFolder& folder, const std::string& media);
