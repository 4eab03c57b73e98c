// PageData: the JSON written by hand, member by member; every text passes through JsonString.
#include "report/page_data.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

const char* const kMarkNames[] = {"join", "click", "dip", "loudness", "truePeak"};

// The length of the UTF-8 sequence at text[at], or 0 where none begins there.
size_t SequenceLength(const std::string& text, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  const size_t length = lead < 0x80                   ? 1
                        : lead >= 0xC2 && lead < 0xE0 ? 2
                        : lead >= 0xE0 && lead < 0xF0 ? 3
                        : lead >= 0xF0 && lead < 0xF5 ? 4
                                                      : 0;
  if (length == 0 || at + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
  }
  // Overlong forms and surrogates.
  if ((lead == 0xE0 && byte(at + 1) < 0xA0) || (lead == 0xED && byte(at + 1) >= 0xA0) ||
      (lead == 0xF0 && byte(at + 1) < 0x90) || (lead == 0xF4 && byte(at + 1) >= 0x90)) {
    return 0;
  }
  return length;
}

std::string Number(double value) {
  if (!std::isfinite(value)) return "null";
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", value);
  return text;
}

std::string Text(const std::string& text) { return JsonString(text); }

// A stream's name with "/" between its folders, as on every platform.
std::string Name(std::string name) {
  std::replace(name.begin(), name.end(), '\\', '/');
  return JsonString(name);
}

// Members "name":value, in order.
class JsonObject {
 public:
  JsonObject& Add(const char* name, const std::string& json) {
    text_ += (text_.empty() ? "{" : ",") + JsonString(name) + ":" + json;
    return *this;
  }
  std::string Json() const { return text_.empty() ? "{}" : text_ + "}"; }

 private:
  std::string text_;
};

std::string Array(const std::vector<std::string>& items) {
  std::string json = "[";
  for (const std::string& item : items) json += (json.size() > 1 ? "," : "") + item;
  return json + "]";
}

std::string Seams(const MadeFrom& made) {
  std::vector<std::string> seams;
  for (const RecordedSeam& seam : made.seams) {
    seams.push_back(JsonObject()
                        .Add("name", Text(seam.name))
                        .Add("measured", seam.measured ? "true" : "false")
                        .Add("seamSnr", Number(seam.seamSnr))
                        .Add("bodySnr", Number(seam.bodySnr))
                        .Json());
  }
  return Array(seams);
}

std::string Join(const MadeFrom& made) {
  const RecordedJoin join = JoinOf(made);
  if (!join.recorded) return "null";
  return JsonObject()
      .Add("percentile", Number(join.percentile))
      .Add("excess", Number(join.excessDb))
      .Add("beyond", Number(join.beyondDb))
      .Json();
}

std::string Media(const StreamReport& report) {
  if (report.media.empty()) return "null";
  const HeardStream& heard = report.heard;
  const auto file = [&](int index) { return Text(report.media + kMediaNames[index]); };
  JsonObject media;
  media.Add("wrap", file(0))
      .Add("wrapFrames", Number(heard.ExcerptEnd(heard.LoopEnd()) - heard.ExcerptFirst(heard.LoopEnd())));
  if (heard.LoopStart() > 0) {
    media.Add("entry", file(1))
        .Add("entryFrames", Number(heard.ExcerptEnd(heard.LoopStart()) - heard.ExcerptFirst(heard.LoopStart())));
  }
  return media.Add("envelope", file(2)).Add("closeUp", file(3)).Add("level", file(4)).Json();
}

// The frames of the crossfade make baked into the loop part's last frames; 0 for none.
long CrossfadeFrames(const MadeFrom& made) {
  UsedLoop used;
  return UsedLoop::Read(made.loop, used) ? used.crossfadeFrames : 0;
}

std::string Stream(const StreamReport& report) {
  JsonObject stream;
  stream.Add("name", Name(report.files.name)).Add("twoParts", report.files.introPath.empty() ? "false" : "true");
  if (!report.failure.empty()) return stream.Add("failure", Text(report.failure)).Json();
  const HeardStream& heard = report.heard;
  std::vector<std::string> marks;
  for (const Mark mark : report.marks) marks.push_back(JsonString(kMarkNames[static_cast<int>(mark)]));
  stream.Add("channels", Number(heard.layout.channels))
      .Add("rate", Number(heard.layout.rate))
      .Add("loopStart", Number(heard.LoopStart()))
      .Add("loopEnd", Number(heard.LoopEnd()))
      .Add("bytes", Number(static_cast<double>(report.bytes)))
      .Add("recorded", report.recorded ? "true" : "false")
      .Add("loopGiven", Text(report.made.loopGiven))
      .Add("loopFrom", Text(report.made.loopFrom))
      .Add("loopMoved", Text(report.made.loopMoved))
      .Add("crossfadeFrames", Number(CrossfadeFrames(report.made)))
      .Add("join", Join(report.made))
      .Add("seams", Seams(report.made))
      .Add("lufs", Number(heard.loudness.lufs))
      .Add("truePeak", Number(heard.loudness.truePeakDb))
      .Add("ceiling", Number(TruePeakCeilingOf(report.made)))
      .Add("wrapPercentile", Number(heard.wrapPercentile))
      .Add("dip", Number(heard.wrapDipDb))
      .Add("marks", Array(marks))
      .Add("media", Media(report));
  return stream.Json();
}

}  // namespace

std::string JsonString(const std::string& utf8) {
  std::string json = "\"";
  for (size_t at = 0; at < utf8.size();) {
    const size_t length = SequenceLength(utf8, at);
    const unsigned char byte = static_cast<unsigned char>(utf8[at]);
    if (length == 0) {
      json += "\\ufffd";
      ++at;
      continue;
    }
    const bool lineSeparator =
        length == 3 && utf8.compare(at, 2, "\xE2\x80") == 0 && (utf8[at + 2] == '\xA8' || utf8[at + 2] == '\xA9');
    if (byte == '"' || byte == '\\') {
      json += '\\';
      json += static_cast<char>(byte);
    } else if (byte < 0x20 || byte == '<' || byte == '>' || byte == '&' || lineSeparator) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x",
                    lineSeparator ? (utf8[at + 2] == '\xA8' ? 0x2028 : 0x2029) : byte);
      json += escape;
    } else {
      json.append(utf8, at, length);
    }
    at += length;
  }
  return json + "\"";
}

std::string PageData(const std::vector<StreamReport>& reports, const SoundtrackTotals& totals) {
  std::vector<std::string> streams;
  for (const StreamReport& report : reports) streams.push_back(Stream(report));
  const std::string sums = JsonObject()
                               .Add("streams", Number(static_cast<double>(totals.streams)))
                               .Add("marked", Number(static_cast<double>(totals.marked)))
                               .Add("failed", Number(static_cast<double>(totals.failed)))
                               .Add("measured", Number(static_cast<double>(totals.measured)))
                               .Add("lowestLufs", Number(totals.lowestLufs))
                               .Add("highestLufs", Number(totals.highestLufs))
                               .Add("medianLufs", Number(totals.medianLufs))
                               .Json();
  return JsonObject().Add("totals", sums).Add("streams", Array(streams)).Json();
}
