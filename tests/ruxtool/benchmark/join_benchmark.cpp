// join_benchmark TRACK...: on released games' music (Ogg Vorbis, or Ogg Opus read through libsndfile),
// how find-loop's musical joins sound, beside a jump to random points of the same length and each
// song's typical moment: found, coverage, the join measure's percentile and excess, the beat error and
// the chroma percentile, and the time; then loop points only roughly right, as a developer gives them
// in whole seconds, moved within a tolerance of 1 s; then the join measure validated on loops known to
// be copies against jumps between random points.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <sndfile.h>

#include "audio_files/audio_file.h"
#include "deterministic_noise.h"
#include "game_songs.h"
#include "join_evaluation.h"
#include "loop_search/join_measure.h"
#include "loop_search/join_within_reach.h"
#include "loop_search/loop_search.h"

namespace {

constexpr int kReferencePoints = 8;
constexpr double kToleranceSeconds = 1;
constexpr long kCopiedSeconds = 20;
// Of each track, the music a copy is made of for the validation: at most its first minute.
constexpr long kValidatedSeconds = 60;

struct Figures {
  std::vector<double> coverage, percentile, excess, beatError, chromaPercentile, seconds;

  void Add(const JoinJudgement& judgement) {
    percentile.push_back(judgement.figure.percentile);
    excess.push_back(judgement.figure.excessDb);
    beatError.push_back(judgement.beatError);
    chromaPercentile.push_back(judgement.chromaPercentile);
  }
  void Print(const char* name) const {
    std::printf("  %-34s %5zu  %8.0f %%  %10.0f  %9.2f dB  %10.3f  %16.0f", name, percentile.size(),
                100 * Median(coverage), Median(percentile), Median(excess), Median(beatError), Median(chromaPercentile));
    if (!seconds.empty()) std::printf("  %.2f s", Median(seconds));
    std::printf("\n");
  }
};

// ruxtool reads Ogg as Vorbis; Debian's libsndfile reads Ogg Opus too.
bool ReadTrack(const char* path, PcmAudio& music, std::string& error) {
  const std::string name = path;
  if (name.size() < 5 || name.compare(name.size() - 5, 5, ".opus") != 0) return ReadAudioFile(path, music, error);
  SF_INFO info{};
  SNDFILE* file = sf_open(path, SFM_READ, &info);
  if (!file) {
    error = std::string(path) + ": " + sf_strerror(nullptr);
    return false;
  }
  music = {info.channels, info.samplerate};
  music.samples.resize(static_cast<size_t>(info.frames) * info.channels);
  music.samples.resize(static_cast<size_t>(sf_readf_float(file, music.samples.data(), info.frames)) * info.channels);
  sf_close(file);
  return true;
}

const char* NameOf(const char* path) { return std::strrchr(path, '/') ? std::strrchr(path, '/') + 1 : path; }

struct Evaluation {
  Figures joins, random, typical, given, moved;
  std::vector<double> copyPercentiles, copyExcesses, jumpPercentiles, jumpExcesses;
  int tracks = 0;
};

JoinJudgement MoveGivenPoints(const std::vector<float>& mono, long rate, LoopPoints found, const JoinJudge& judge,
                              Evaluation& evaluation);

void JudgeJoins(const char* name, const std::vector<float>& mono, long rate, Evaluation& evaluation) {
  const auto start = std::chrono::steady_clock::now();
  const std::vector<LoopCandidate> loops = FindLoops(mono, rate, {});
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const JoinJudge judge(mono, rate);
  DeterministicNoise points(static_cast<unsigned>(mono.size()));
  const long frames = judge.Frames();
  const auto musical = std::find_if(loops.begin(), loops.end(), [](const LoopCandidate& loop) { return loop.kind == LoopKind::kMusicalJoin; });
  std::printf("  %-28s %6.1f s  ", name, frames / static_cast<double>(rate));
  for (int i = 0; i < kReferencePoints; ++i) {
    const long moment = static_cast<long>((points.Next() + 0.5f) * (frames - 10 * rate)) + 5 * rate;
    evaluation.typical.Add(judge.Judge({moment, moment}));
  }
  if (musical == loops.end()) {
    std::printf("no musical join (%zu other loops)  %.2f s\n", loops.size(), seconds);
    return;
  }
  const JoinJudgement judgement = judge.Judge(musical->loop);
  evaluation.joins.Add(judgement);
  evaluation.joins.coverage.push_back(musical->loop.Length() / static_cast<double>(frames));
  evaluation.joins.seconds.push_back(seconds);
  for (int i = 0; i < kReferencePoints; ++i) {
    const long first = static_cast<long>((points.Next() + 0.5f) * (frames - musical->loop.Length() - 2)) + 1;
    evaluation.random.Add(judge.Judge({first, first + musical->loop.Length()}));
    evaluation.random.coverage.push_back(musical->loop.Length() / static_cast<double>(frames));
  }
  const JoinJudgement moved = MoveGivenPoints(mono, rate, musical->loop, judge, evaluation);
  std::printf("%s %.1f to %.1f s (%.0f %%): percentile %.0f, excess %+.2f dB, beat %.3f, chroma %.0f  %.2f s",
              musical == loops.begin() ? "first" : "later", musical->loop.start / static_cast<double>(rate),
              musical->loop.end / static_cast<double>(rate), 100.0 * musical->loop.Length() / frames,
              judgement.figure.percentile, judgement.figure.excessDb, judgement.beatError, judgement.chromaPercentile,
              seconds);
  // Each song's line holds every figure a median over several runs' songs is taken of.
  std::printf("; in whole seconds, moved within 1 s: percentile %.0f, excess %+.2f dB, beat %.3f, chroma %.0f\n",
              moved.figure.percentile, moved.figure.excessDb, moved.beatError, moved.chromaPercentile);
}

// Points as a developer gives them: the loop find-loop finds, each point at its nearest whole second.
// As make moves them.
JoinJudgement MoveGivenPoints(const std::vector<float>& mono, long rate, LoopPoints found, const JoinJudge& judge,
                              Evaluation& evaluation) {
  const long frames = static_cast<long>(mono.size());
  const LoopPoints given{std::max(1L, (found.start + rate / 2) / rate * rate),
                         std::min(frames, (found.end + rate / 2) / rate * rate)};
  const LoopPoints used = JoinWithinReach(mono, rate, given, static_cast<long>(kToleranceSeconds * rate)).loop;
  evaluation.given.Add(judge.Judge(given));
  evaluation.given.coverage.push_back(given.Length() / static_cast<double>(frames));
  const JoinJudgement moved = judge.Judge(used);
  evaluation.moved.Add(moved);
  evaluation.moved.coverage.push_back(used.Length() / static_cast<double>(frames));
  return moved;
}

// The track's first minute with a tail that writes out its 20 s from the sixth second again, shaped as
// games ship it: a loop from anywhere in those 20 s to the same music in the tail joins as a copy, and
// the music on each side of it is the song's own. Jumps between random points beside them.
void ValidateOnCopies(const PcmAudio& music, Evaluation& evaluation) {
  const long rate = music.rate, first = 6 * rate, tail = kCopiedSeconds * rate;
  if (music.Frames() < first + 2 * tail) return;
  const LoopPoints section{first, std::min(music.Frames(), kValidatedSeconds * rate)};
  const GameSong song = ShapeGameSong(music, section, GameShape::kTailAfterTheLoop, kCopiedSeconds);
  const std::vector<float> mono = MixToMono(song.audio);
  const JoinMeasure measure(mono, rate);
  DeterministicNoise points(static_cast<unsigned>(mono.size()) + 1);
  for (int i = 0; i < kReferencePoints; ++i) {
    const long start = first + measure.Window() + static_cast<long>((points.Next() + 0.5f) * (tail - 2 * measure.Window()));
    const JoinFigure copy = measure.Measure({start, start + section.Length()});
    evaluation.copyPercentiles.push_back(copy.percentile);
    evaluation.copyExcesses.push_back(copy.excessDb);
    const long end = static_cast<long>((points.Next() + 0.5f) * (mono.size() - rate)) + rate;
    const JoinFigure jump = measure.Measure({static_cast<long>((points.Next() + 0.5f) * (end - rate)) + 1, end});
    evaluation.jumpPercentiles.push_back(jump.percentile);
    evaluation.jumpExcesses.push_back(jump.excessDb);
  }
}

void PrintSummary(const Evaluation& evaluation) {
  std::printf("\n  %-34s %5s  %10s  %10s  %12s  %10s  %16s  %s\n", "", "joins", "coverage", "percentile", "excess",
              "beat error", "chroma percentile", "time");
  std::printf("  %-34s %zu of %d songs\n", "found", evaluation.joins.percentile.size(), evaluation.tracks);
  evaluation.joins.Print("musical joins (median)");
  evaluation.random.Print("random jumps of the same length");
  evaluation.typical.Print("the song's typical moment");
  evaluation.given.Print("those, in whole seconds");
  evaluation.moved.Print("moved within 1 s");
  std::printf("\n  the join measure on %zu loops known to be copies, against %zu random jumps:\n",
              evaluation.copyPercentiles.size(), evaluation.jumpPercentiles.size());
  std::printf("    percentile: median %.0f against %.0f, area under the ROC curve %.2f\n", Median(evaluation.copyPercentiles),
              Median(evaluation.jumpPercentiles), SeparationArea(evaluation.copyPercentiles, evaluation.jumpPercentiles));
  std::printf("    excess:     median %+.2f dB against %+.2f dB, area under the ROC curve %.2f\n",
              Median(evaluation.copyExcesses), Median(evaluation.jumpExcesses),
              SeparationArea(evaluation.copyExcesses, evaluation.jumpExcesses));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: join_benchmark TRACK...\n");
    return 2;
  }
  Evaluation evaluation;
  for (int i = 1; i < argc; ++i) {
    PcmAudio music;
    std::string error;
    if (!ReadTrack(argv[i], music, error)) {
      std::printf("  %s\n", error.c_str());
      continue;
    }
    ++evaluation.tracks;
    const std::vector<float> mono = MixToMono(music);
    JudgeJoins(NameOf(argv[i]), mono, music.rate, evaluation);
    ValidateOnCopies(music, evaluation);
  }
  PrintSummary(evaluation);
  return 0;
}
