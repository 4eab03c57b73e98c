// crossfade_benchmark [MUSIC]...: what make's crossfade does at the wraps of loops whose music does not
// repeat across the seam: generated songs at bar lines, off the beat and to the file's end, tones whose
// two sides are out of phase, and each MUSIC file (any audio file make reads) with loop points a
// developer might give. Prints the level dip of each curve without lossy coding, the lengths auto
// chooses and how abrupt their wraps are, then the wraps as make plays them through the exports, cut
// and crossfaded, and what choosing costs in time.
#include <algorithm>
#include <cmath>
#include <ctime>
#include <cstdio>
#include <string>
#include <vector>

#include "audio_files/audio_file.h"
#include "audio_files/wav_writer.h"
#include "loop_search/loop_search.h"
#include "make_options/make_request.h"
#include "making/crossfade_length.h"
#include "music_generator.h"
#include "rux2_under_test.h"
#include "seams/seam_measure.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr char kInput[] = "crossfade_benchmark.wav";

struct Case {
  std::string name;
  PcmAudio audio;
  LoopPoints loop;
};

// Processor seconds since start: other processes on the machine do not count.
double SecondsSince(std::clock_t start) { return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC; }

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

std::vector<Case> GeneratedCases() {
  std::vector<Case> cases;
  for (unsigned seed = 1; seed <= 4; ++seed) {
    SongShape shape;
    shape.loopBars = 8;
    shape.repeats = 1;
    shape.outroBars = 2;
    shape.seamlessLoop = false;
    shape.seed = seed;
    const GeneratedSong song = MakeSong(shape, 2, 44100);
    const long bar = song.loop.Length() / 8;
    const std::string name = "song " + std::to_string(seed);
    cases.push_back({name + ", bar lines", song.audio, song.loop});
    cases.push_back({name + ", off the beat", song.audio, {song.loop.start + 37 * bar / 100, song.loop.end - 21 * bar / 100}});
    cases.push_back({name + ", to the end", song.audio, {song.loop.start + bar, song.audio.Frames()}});
  }
  for (const int degrees : {60, 120, 160}) {
    // A 441 Hz tone, 100 frames a period: the loop's length leaves its two sides that far apart.
    Case tone{"441 Hz tone, sides " + std::to_string(degrees) + " degrees apart", {1, 44100}, {}};
    for (long frame = 0; frame < 6 * 44100; ++frame) tone.audio.samples.push_back(0.4f * std::sin(2 * kPi * frame / 100));
    tone.loop = {44100, 44100 + 132300 + degrees * 100 / 360};
    cases.push_back(tone);
  }
  return cases;
}

// Loop points a developer might give music that was not made to loop: a few seconds in, and a few
// seconds before the end.
void AddMusic(const char* path, std::vector<Case>& cases) {
  Case music{path, {}, {}};
  std::string error;
  if (!ReadAudioFile(path, music.audio, error)) {
    std::printf("  %s\n", error.c_str());
    return;
  }
  music.name = music.name.substr(music.name.find_last_of("/\\") + 1);
  const long frames = music.audio.Frames();
  music.loop = {frames / 7, frames - frames / 9};
  cases.push_back(music);
}

// The wrap crossfaded over frames with the curve, without lossy coding: what the parts should play.
double CurveDip(const Case& wrap, long frames, CrossfadeCurve curve) {
  const CrossfadePlan plan = PlanCrossfade(wrap.loop, wrap.audio.Frames(), frames);
  PcmAudio baked = wrap.audio;
  const CrossfadeSides sides = SidesOf(plan, baked);
  BakeCrossfade(plan, curve, baked);
  const PlaybackSpan span = WrapSpanOf(baked, plan.parts, plan.frames);
  return LevelDipDb(baked, plan.parts, sides, IdealPlayback(baked, plan.parts, span.first, span.end - span.first));
}

void PrintCurves(const std::vector<Case>& cases) {
  const char* names[] = {"equal gain", "equal power", "weighted"};
  std::printf("The level's dip through the crossfade below what its two sides give where they neither add nor\n"
              "cancel, in windows of 0.1 s, without lossy coding; the worst of 0.05, 0.2, 0.5, 1 and 2 s:\n");
  std::printf("  %-44s %11s %11s %11s\n", "wrap", names[0], names[1], names[2]);
  std::vector<double> worst[3];
  for (const Case& wrap : cases) {
    std::printf("  %-44s", wrap.name.c_str());
    for (int curve = 0; curve < 3; ++curve) {
      double dip = 0;
      for (const double seconds : {0.05, 0.2, 0.5, 1.0, 2.0}) {
        dip = std::max(dip, CurveDip(wrap, std::lround(seconds * wrap.audio.rate), static_cast<CrossfadeCurve>(curve)));
      }
      worst[curve].push_back(dip);
      std::printf(" %8.2f dB", dip);
    }
    std::printf("\n");
  }
  std::printf("  %-44s", "median; the worst");
  for (const std::vector<double>& dips : worst) {
    std::printf(" %4.2f; %4.2f", Median(dips), *std::max_element(dips.begin(), dips.end()));
  }
  std::printf("\n");
}

void PrintLengths(const std::vector<Case>& cases) {
  std::printf("\nThe loop's end cut into its start, by the join measure: its percentile of the song's moments and its\n"
              "excess over the music's own jump at the two points. Then how abrupt the wrap is, cut, crossfaded over\n"
              "the length auto chooses and over 2 s: the most its log-mel spectrum jumps from one window to the next\n"
              "beyond what the music on either side does at the same moment, in dB:\n");
  std::printf("  %-44s %11s %8s %8s %8s %8s %8s\n", "wrap", "join", "excess", "cut", "auto", "its wrap", "2 s");
  std::vector<double> percentiles, excesses, cut, chosen, seconds;
  double choosing = 0, measuring = 0;
  for (const Case& wrap : cases) {
    const std::vector<float> mono = MixToMono(wrap.audio);
    const long rate = wrap.audio.rate;
    const std::clock_t measured = std::clock();
    const JoinMeasure join(mono, rate);
    measuring = std::max(measuring, SecondsSince(measured) / (mono.size() / static_cast<double>(rate) / 60));
    const JoinFigure figure = join.Measure(wrap.loop);
    const std::clock_t start = std::clock();
    const CrossfadeLength length = ChooseCrossfadeLength(join, mono, rate, wrap.loop);
    choosing = std::max(choosing, SecondsSince(start));
    percentiles.push_back(figure.percentile);
    excesses.push_back(figure.excessDb);
    cut.push_back(WrapExcessDb(join, mono, rate, wrap.loop, 0));
    chosen.push_back(length.excessDb);
    seconds.push_back(length.frames / static_cast<double>(rate));
    std::printf("  %-44s %9.0f %% %+8.2f %8.2f %6.2f s %8.2f %8.2f\n", wrap.name.c_str(), figure.percentile,
                figure.excessDb, cut.back(), seconds.back(), chosen.back(),
                WrapExcessDb(join, mono, rate, wrap.loop, std::min(2 * rate, wrap.loop.Length() - 1)));
  }
  std::printf("  %-44s %9.0f %% %+8.2f %8.2f %6.2f s %8.2f\n", "median", Median(percentiles), Median(excesses),
              Median(cut), Median(seconds), Median(chosen));
  std::printf("  choosing took %.2f s of processor time at most; measuring the song's own jumps beforehand, %.2f s a\n"
              "  minute of music at most\n",
              choosing, measuring);
}

// make on the case written as a WAV file; false where it fails.
bool Make(const Case& wrap, const std::string& crossfade, MadeStreams& made, double& seconds) {
  std::vector<std::string> words{"--exact-loop", "--crossfade", crossfade, "--loop-start", std::to_string(wrap.loop.start),
                                 "--loop-end", std::to_string(wrap.loop.end), kInput, "i.ogg", "l.ogg"};
  std::vector<char*> arguments;
  for (std::string& word : words) arguments.push_back(&word[0]);
  MakeOptions options;
  std::string error;
  if (!ParseMakeOptions(static_cast<int>(arguments.size()), arguments.data(), options, error)) return false;
  MakeRequest request = RequestFor(options, options.input, "the command line");
  request.introPath = options.output;
  request.loopPath = options.loopOutput;
  const std::clock_t start = std::clock();
  const bool madeThem = MakeStreams(Rux2(), request, [] { return false; }, made, error);
  seconds = SecondsSince(start);
  if (!madeThem) std::printf("  %s\n", error.c_str());
  return madeThem;
}

void PrintMade(const std::vector<Case>& cases) {
  std::printf("\nThe wrap as make plays it through the exports, cut (--crossfade 0) and chosen (auto): its largest\n"
              "second difference against the level around it, beside the same music's entry into the loop part and\n"
              "the playback's typical moment; its dip; the codec's seams as make prints them; make's processor time:\n");
  std::printf("  %-44s %-22s %-28s %-13s %s\n", "wrap", "cut: wrap/entry/typical", "auto: wrap/entry/typical, dip",
              "seams (auto)", "time cut, auto");
  int clicksCut = 0, clicksChosen = 0;
  for (const Case& wrap : cases) {
    if (!WriteWavFile(kInput, wrap.audio.channels, wrap.audio.rate, Pcm16(wrap.audio.samples))) return;
    MadeStreams cut, chosen;
    double cutSeconds = 0, chosenSeconds = 0;
    if (!Make(wrap, "0", cut, cutSeconds) || !Make(wrap, "auto", chosen, chosenSeconds)) continue;
    const WrapFigures& a = cut.check.wrap;
    const WrapFigures& b = chosen.check.wrap;
    clicksCut += a.Clicks();
    clicksChosen += b.Clicks();
    std::printf("  %-44s %4.2f/%4.2f/%4.2f%-6s %4.2f/%4.2f/%4.2f %4.1f dB%-5s %+5.1f %+5.1f   %.2f s, %.2f s\n",
                wrap.name.c_str(), a.click, a.musicClick, a.typicalClick, a.Clicks() ? " click" : "", b.click,
                b.musicClick, b.typicalClick, b.dipDb, b.Clicks() ? " click" : "", chosen.check.seams[0].error.Cost(),
                chosen.check.seams[1].error.Cost(), cutSeconds, chosenSeconds);
  }
  std::printf("  clicks: %d of %zu wraps cut, %d crossfaded\n", clicksCut, cases.size(), clicksChosen);
  for (const char* file : {kInput, "i.ogg", "l.ogg"}) std::remove(file);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<Case> cases = GeneratedCases();
  for (int i = 1; i < argc; ++i) AddMusic(argv[i], cases);
  PrintCurves(cases);
  PrintLengths(cases);
  PrintMade(cases);
  return 0;
}
