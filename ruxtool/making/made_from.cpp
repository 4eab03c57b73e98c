// MadeFrom in comments named RUXTOOL_*; ReadMadeFrom reads no further than the stream's first pages,
// where the comment header lies, through libogg and libvorbis.
#include "making/made_from.h"

#include <ogg/ogg.h>
#include <vorbis/codec.h>

#include <cstdio>
#include <cstring>

#include "audio_files/input_file.h"
#include "stream_header.h"

namespace {

constexpr size_t kHeadBytes = 65536;

struct Field {
  const char* tag;
  std::string MadeFrom::*value;
  bool optional;  // left out where empty
};

const Field kFields[] = {{"RUXTOOL_VERSION", &MadeFrom::version, false},
                         {"RUXTOOL_INPUT", &MadeFrom::input, false},
                         {"RUXTOOL_OPTIONS", &MadeFrom::options, false},
                         {"RUXTOOL_LOOP_GIVEN", &MadeFrom::loopGiven, false},
                         {"RUXTOOL_LOOP", &MadeFrom::loop, false},
                         {"RUXTOOL_LOOP_FROM", &MadeFrom::loopFrom, true},
                         {"RUXTOOL_LOOP_MOVED", &MadeFrom::loopMoved, true},
                         {"RUXTOOL_JOIN", &MadeFrom::join, true}};

// One comment per seam: "introduction -> loop part: 31.20 dB at the seam, 31.60 dB around it".
const char kSeamTag[] = "RUXTOOL_SEAM";
const char kSeamFigures[] = "%lf dB at the seam, %lf dB around it";
const char kSeamUnmeasured[] = "too short to measure";

std::string SeamText(const RecordedSeam& seam) {
  if (!seam.measured) return seam.name + ": " + kSeamUnmeasured;
  char figures[64];
  std::snprintf(figures, sizeof figures, "%.2f dB at the seam, %.2f dB around it", seam.seamSnr, seam.bodySnr);
  return seam.name + ": " + figures;
}

RecordedSeam ParseSeam(const std::string& text) {
  RecordedSeam seam;
  const size_t colon = text.rfind(": ");
  seam.name = text.substr(0, colon);
  seam.measured = colon != std::string::npos &&
                  std::sscanf(text.c_str() + colon + 2, kSeamFigures, &seam.seamSnr, &seam.bodySnr) == 2;
  return seam;
}

// Where the Ogg stream begins, after a header as the library recognises it.
size_t StreamStart(const std::string& head) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(head.data());
  return HeaderSize(RecognizeHeader(bytes, static_cast<uint32_t>(head.size())));
}

// The identification and comment headers of the first logical stream in bytes.
bool ReadComments(const std::string& bytes, vorbis_comment& comment) {
  if (bytes.empty()) return false;
  ogg_sync_state sync;
  ogg_sync_init(&sync);
  std::memcpy(ogg_sync_buffer(&sync, static_cast<long>(bytes.size())), bytes.data(), bytes.size());
  ogg_sync_wrote(&sync, static_cast<long>(bytes.size()));
  ogg_stream_state stream;
  bool streamStarted = false;
  vorbis_info info;
  vorbis_info_init(&info);
  int headers = 0;
  ogg_page page;
  while (headers < 2 && ogg_sync_pageout(&sync, &page) == 1) {
    if (!streamStarted) {
      ogg_stream_init(&stream, ogg_page_serialno(&page));
      streamStarted = true;
    }
    if (ogg_stream_pagein(&stream, &page) != 0) break;
    ogg_packet packet;
    while (headers < 2 && ogg_stream_packetout(&stream, &packet) == 1) {
      if (vorbis_synthesis_headerin(&info, &comment, &packet) != 0) break;
      ++headers;
    }
  }
  if (streamStarted) ogg_stream_clear(&stream);
  vorbis_info_clear(&info);
  ogg_sync_clear(&sync);
  return headers == 2;
}

}  // namespace

std::vector<std::string> MadeFrom::Comments() const {
  std::vector<std::string> comments;
  for (const Field& field : kFields) {
    if (field.optional && (this->*field.value).empty()) continue;
    comments.push_back(std::string(field.tag) + "=" + this->*field.value);
  }
  for (const RecordedSeam& seam : seams) comments.push_back(std::string(kSeamTag) + "=" + SeamText(seam));
  return comments;
}

bool MadeFrom::SameSource(const MadeFrom& other) const {
  return version == other.version && input == other.input && options == other.options && loopGiven == other.loopGiven;
}

bool ReadMadeFrom(const std::string& path, MadeFrom& made, long long offset) {
  InputFile file(path);
  std::string head(kHeadBytes, '\0');
  head.resize(file.IsOpen() && file.Seek(offset, SEEK_SET) ? file.Read(&head[0], kHeadBytes) : 0);
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  const bool read = ReadComments(head.substr(std::min(head.size(), StreamStart(head))), comment);
  for (const Field& field : kFields) {
    const char* value = read ? vorbis_comment_query(&comment, field.tag, 0) : nullptr;
    made.*field.value = value ? value : "";
  }
  made.seams.clear();
  const int seams = read ? vorbis_comment_query_count(&comment, kSeamTag) : 0;
  for (int i = 0; i < seams; ++i) made.seams.push_back(ParseSeam(vorbis_comment_query(&comment, kSeamTag, i)));
  vorbis_comment_clear(&comment);
  return read && !made.version.empty();
}

std::string UsedLoop::Text() const {
  const std::string loop = "frames " + std::to_string(start) + " to " + std::to_string(end);
  return crossfadeFrames ? loop + ", crossfade " + std::to_string(crossfadeFrames) + " frames" : loop;
}

bool UsedLoop::Read(const std::string& text, UsedLoop& loop) {
  int read = 0;
  if (std::sscanf(text.c_str(), "frames %ld to %ld%n", &loop.start, &loop.end, &read) != 2) return false;
  if (std::sscanf(text.c_str() + read, ", crossfade %ld frames", &loop.crossfadeFrames) != 1) loop.crossfadeFrames = 0;
  return true;
}
