// What an output was made from, kept in its Vorbis comments: ruxtool's version, the input's size and
// time, the options that shape the stream and where its loop was to come from; and what make found:
// where the loop came from, why it moved, how its seams played. An output whose record matches what
// make would make it from now is up to date.
#pragma once

#include <string>
#include <vector>

// A seam as make's check measured it, in dB of signal to noise against the input.
struct RecordedSeam {
  std::string name;  // "introduction -> loop part", "loop part -> loop part", "stream -> stream again"
  bool measured = false;  // false where the playback was too short
  double seamSnr = 0;     // in the window around the seam
  double bodySnr = 0;     // in the music around it
};

// The loop a stream records as used: where its parts meet, and the frames of the crossfade baked into
// the loop part's last frames, 0 for none. Its text is "frames A to B", followed by ", crossfade N
// frames" where there is one; a stream that loops whole records "none".
struct UsedLoop {
  long start = 0;
  long end = 0;
  long crossfadeFrames = 0;

  std::string Text() const;
  // False where the text records no loop.
  static bool Read(const std::string& text, UsedLoop& loop);
};

struct MadeFrom {
  std::string version;    // ruxtool's
  std::string input;      // the input's stamp, "size S time T"
  std::string options;    // as make's command line gives them, in one order
  std::string loopGiven;  // "loops.txt START END", or "the input" (its tags, or the search)
  std::string loop;       // what was used: "frames A to B", or "none"
  std::string loopFrom;   // where it came from, as make says: "the input's smpl chunk"
  std::string loopMoved;  // empty, or what was given and why make moved it
  std::string join;       // empty, or the musical join's figure: "join at percentile 72, excess +0.4 dB; ..."
  std::vector<RecordedSeam> seams;  // once make's check has played the streams

  // "RUXTOOL_VERSION=..." and the others, for the stream's comment header.
  std::vector<std::string> Comments() const;
  // The same version, input, options and loop given: make would make the same output again.
  bool SameSource(const MadeFrom& other) const;
};

// The record in the comment header of the stream at offset in a file, which may begin with a RUX or
// RX2A header. False when the file cannot be read or holds none.
bool ReadMadeFrom(const std::string& path, MadeFrom& made, long long offset = 0);
