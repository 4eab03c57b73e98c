// ParseMakeOptions: options with their values in any order, then the input and one or two outputs.
#include "make_options/make_options.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "number_text/parse_number.h"
#include "system/folder_files.h"
#include "system/path_names.h"

const char kMakeUsage[] =
    "make writes one stream of the whole input, or an introduction (frames before the loop's start) and\n"
    "a loop part (the loop) for RUX_InputMemory2 and RUX_InputFile2. They play on from each other as the\n"
    "input does, and make plays them through rux2.dll and reports each seam.\n"
    "Given a folder, make makes every audio file under it into the output folder, at the same relative\n"
    "path: NAME.intro.ogg and NAME.loop.ogg for a file with a loop, NAME.ogg for one without. A file's\n"
    "loop comes from a line START END NAME of loops.txt in its folder (END - for the file's end, START\n"
    "-1 for no loop), else from its tags, else, with --loop-start auto, from the search. A file whose\n"
    "outputs record the same input, options and loop is up to date and passed over.\n"
    "  --loop-start P  the loop's first frame; otherwise the input's own loop: the first loop of a WAV\n"
    "                  smpl chunk, AIFF's sustain loop, or the LOOPSTART and LOOPLENGTH (or LOOPEND)\n"
    "                  comments of an Ogg Vorbis or FLAC input. P is frames (196320), seconds (4.09s)\n"
    "                  or minutes and seconds (1:04.09)\n"
    "  --loop-start auto  the best loop find-loop finds\n"
    "  --loop-end P    the frame after the loop's last (default: the input's end)\n"
    "  --exact-loop    keep the loop's points as given; otherwise points within 50 ms of where the\n"
    "                  music clearly repeats are moved there\n"
    "  --loop-tolerance T  the loop's points, from the options, tags or loops.txt, are known only to\n"
    "                  within T (1s, 0.25s or frames): each is moved within T to where the music\n"
    "                  joins best, in step with the beat and the harmony\n"
    "  --crossfade C   auto, a length (0.5s, 22050 frames) or 0: the loop's end crossfaded into its start\n"
    "                  in the loop part's last frames, so that the engine's jump plays on without a cut;\n"
    "                  the music after the loop's end fades out where the input goes on, and the parts\n"
    "                  then meet that much later; auto makes none where the music repeats across the\n"
    "                  loop's seam, else chooses the length from the music, at most 2 s (default auto)\n"
    "  --quality Q     Vorbis quality, -1 to 10 (default 5)\n"
    "  --loudness LUFS one gain for the whole input, so that what the player hears first (the\n"
    "                  introduction and one pass of the loop, or the single stream) has this integrated\n"
    "                  loudness (ITU-R BS.1770, EBU R128 gating), -60 to 0\n"
    "  --true-peak DBTP  the highest true peak --loudness may bring it to, lowering the gain where\n"
    "                  needed, -30 to 0 (default -1.0)\n"
    "  --header H      none, rux or rx2a: the header before a single stream (default none)\n"
    "  --value1 N      the header's value 1, carried to the engine unchanged (default 0)\n"
    "  --value3 N      the header's value 3 (default 0)\n"
    "  --extra HEX     an RX2A header's 16 extra bytes, up to 32 hex digits (default zeros)\n"
    "  -j N            for a folder: files made at once (default: one per processor)\n"
    "  --force         for a folder: every file made again, up to date or not\n"
    "  --report REPORT_FOLDER  for a folder: then writes REPORT_FOLDER\\index.html, the page of every\n"
    "                  stream in the output folder (see ruxtool report); it may not lie in either folder\n";

namespace {

bool ParseQuality(const char* text, float& quality) {
  double value = 0;
  if (!ParseDecimalNumber(text, -1, 10, value)) return false;
  quality = static_cast<float>(value);
  return true;
}

bool ParseHeader(const char* text, HeaderChoice::Kind& kind) {
  const std::string name = text;
  if (name == "none") kind = HeaderChoice::Kind::kNone;
  else if (name == "rux") kind = HeaderChoice::Kind::kRux;
  else if (name == "rx2a") kind = HeaderChoice::Kind::kRx2a;
  else return false;
  return true;
}

bool ParseExtra(const char* text, uint8_t (&extra)[16]) {
  const size_t digits = std::strlen(text);
  if (digits == 0 || digits > 32 || digits % 2 || std::strspn(text, "0123456789abcdefABCDEF") != digits) return false;
  for (size_t i = 0; i < digits / 2; ++i) {
    const char pair[3] = {text[2 * i], text[2 * i + 1], 0};
    extra[i] = static_cast<uint8_t>(std::strtoul(pair, nullptr, 16));
  }
  return true;
}

bool ParseOption(const std::string& option, const char* value, MakeOptions& options, bool& headerValues) {
  if (option == "--loop-start") {
    options.loopStartAuto = std::strcmp(value, "auto") == 0;
    return options.loopStartGiven = options.loopStartAuto || ParseAudioPosition(value, options.loopStart);
  }
  if (option == "--loop-end") return options.loopEndGiven = ParseAudioPosition(value, options.loopEnd);
  if (option == "--loop-tolerance") return options.loopToleranceGiven = ParseAudioPosition(value, options.loopTolerance);
  if (option == "--crossfade") {
    options.crossfadeAuto = std::strcmp(value, "auto") == 0;
    return options.crossfadeAuto || ParseAudioPosition(value, options.crossfade);
  }
  if (option == "--quality") return ParseQuality(value, options.quality);
  if (option == "--loudness") return options.loudnessGiven = ParseDecimalNumber(value, -60, 0, options.loudness.lufs);
  if (option == "--true-peak") {
    return options.truePeakGiven = ParseDecimalNumber(value, -30, 0, options.loudness.truePeakCeilingDb);
  }
  if (option == "--header") return ParseHeader(value, options.header.kind);
  if (option == "-j") return ParseWholeNumber(value, 1, 64, options.jobs);
  if (option == "--report") return !(options.report = value).empty();
  headerValues = true;
  if (option == "--value1") return ParseWholeNumber(value, INT32_MIN, UINT32_MAX, options.header.value1);
  if (option == "--value3") return ParseWholeNumber(value, INT32_MIN, UINT32_MAX, options.header.value3);
  return ParseExtra(value, options.header.extra);
}

bool TakesValue(const std::string& option) {
  for (const char* name : {"--loop-start", "--loop-end", "--loop-tolerance", "--crossfade", "--quality", "--loudness",
                           "--true-peak", "--header", "--value1", "--value3", "--extra", "-j", "--report"}) {
    if (option == name) return true;
  }
  return false;
}

std::string FolderProblem(const MakeOptions& options) {
  if (!options.loopOutput.empty()) return "a folder is made into one output folder";
  if ((options.loopStartGiven && !options.loopStartAuto) || options.loopEndGiven) {
    return "a folder's loops come from its loops.txt, its files' tags or --loop-start auto";
  }
  // What make writes there would be read as input next time.
  if (IsSameOrUnder(options.output, options.input)) {
    return "the output folder may not be the input folder or lie in it";
  }
  if (!options.report.empty() && IsSameOrUnder(options.report, options.output)) {
    return "the report folder may not be the output folder or lie in it: that folder ships with the game";
  }
  if (!options.report.empty() && IsSameOrUnder(options.report, options.input)) {
    return "the report folder may not be the source folder or lie in it: its sound would be made next time";
  }
  return {};
}

bool IsNothing(const AudioPosition& length) { return length.IsTime() ? length.seconds == 0 : length.frames == 0; }

std::string FileProblem(const MakeOptions& options) {
  const bool twoParts = !options.loopOutput.empty();
  if (twoParts && options.header.kind != HeaderChoice::Kind::kNone) {
    return "--header applies to a single stream: RUX_InputMemory2 and RUX_InputFile2 take plain Ogg Vorbis";
  }
  if (SamePath(options.output, options.input) || (twoParts && SamePath(options.loopOutput, options.input))) {
    return "an output may not replace the input";
  }
  if (twoParts && SamePath(options.output, options.loopOutput)) {
    return "the introduction and the loop part go into two different files";
  }
  if (!twoParts && (options.loopStartGiven || options.loopEndGiven || options.loopToleranceGiven)) {
    return "a loop needs two outputs, the introduction and the loop part";
  }
  if (options.loopToleranceGiven && options.loopStartAuto) {
    return "--loop-tolerance moves given points: the search's loop lies where the music joins already";
  }
  if (!twoParts && !options.crossfadeAuto && !IsNothing(options.crossfade)) {
    return "--crossfade bakes the loop's wrap into a loop part: it needs two outputs";
  }
  if (options.exactLoop && (!twoParts || options.loopStartAuto)) {
    return "--exact-loop keeps a loop's given points: it needs two outputs and no --loop-start auto";
  }
  if (options.jobs || options.force || !options.report.empty()) {
    return "-j, --force and --report apply to a folder; ruxtool report reports streams made before";
  }
  return {};
}

bool CheckCombination(const MakeOptions& options, bool headerValues, bool extraGiven, std::string& error) {
  if (headerValues && options.header.kind == HeaderChoice::Kind::kNone) {
    error = "--value1, --value3 and --extra go into a header: give --header rux or rx2a";
  } else if (extraGiven && options.header.kind != HeaderChoice::Kind::kRx2a) {
    error = "--extra goes into an RX2A header only";
  } else if (options.loopEndGiven && !options.loopStartGiven) {
    error = "--loop-end needs --loop-start";
  } else if (options.loopEndGiven && options.loopStartAuto) {
    error = "--loop-start auto finds the loop's end too: leave out --loop-end";
  } else if (options.loopToleranceGiven && options.exactLoop) {
    error = "--exact-loop keeps the points as given, --loop-tolerance moves them: give one of the two";
  } else if (options.truePeakGiven && !options.loudnessGiven) {
    error = "--true-peak caps the gain of --loudness: give --loudness too";
  } else {
    error = options.folder ? FolderProblem(options) : FileProblem(options);
  }
  return error.empty();
}

}  // namespace

bool ParseMakeOptions(int count, char** arguments, MakeOptions& options, std::string& error) {
  std::vector<std::string> names;
  bool headerValues = false, extraGiven = false;
  for (int i = 0; i < count; ++i) {
    const std::string argument = arguments[i];
    if (argument.compare(0, 2, "--") != 0 && argument != "-j") {
      names.push_back(argument);
      continue;
    }
    if (argument == "--exact-loop" || argument == "--force") {
      (argument == "--force" ? options.force : options.exactLoop) = true;
      continue;
    }
    if (!TakesValue(argument) || i + 1 == count) {
      error = "unknown option or missing value: " + argument;
      return false;
    }
    if (!ParseOption(argument, arguments[++i], options, headerValues)) {
      error = argument + " cannot take " + arguments[i];
      return false;
    }
    extraGiven = extraGiven || argument == "--extra";
  }
  if (names.size() != 2 && names.size() != 3) {
    error = "make takes an input and one or two outputs";
    return false;
  }
  options.input = names[0];
  options.output = names[1];
  if (names.size() == 3) options.loopOutput = names[2];
  options.folder = IsFolder(options.input);
  return CheckCombination(options, headerValues, extraGiven, error);
}

std::string ShapingOptions(const MakeOptions& options) {
  char text[160];
  std::snprintf(text, sizeof text, "--quality %g", options.quality);
  std::string line = text;
  if (options.loudnessGiven) {
    std::snprintf(text, sizeof text, " --loudness %g --true-peak %g", options.loudness.lufs,
                  options.loudness.truePeakCeilingDb);
    line += text;
  }
  if (options.exactLoop) line += " --exact-loop";
  if (options.loopToleranceGiven) line += " --loop-tolerance " + options.loopTolerance.text;
  line += " --crossfade " + (options.crossfadeAuto ? std::string("auto") : options.crossfade.text);
  if (options.loopStartAuto) line += " --loop-start auto";
  if (options.header.kind != HeaderChoice::Kind::kNone) {
    std::snprintf(text, sizeof text, " --header %s --value1 %u --value3 %u --extra ",
                  options.header.kind == HeaderChoice::Kind::kRux ? "rux" : "rx2a",
                  static_cast<unsigned>(options.header.value1), static_cast<unsigned>(options.header.value3));
    line += text;
    for (const uint8_t byte : options.header.extra) {
      std::snprintf(text, sizeof text, "%02X", byte);
      line += text;
    }
  }
  return line;
}
