// Positions and lengths in the audio as the command line gives them: frames, or a time that becomes a
// frame once the input's rate is known.
#pragma once

#include <string>

struct AudioPosition {
  long long frames = 0;  // when it is no time
  double seconds = -1;   // a time, when 0 or more
  std::string text;      // as given, to say where a frame came from

  bool IsTime() const { return seconds >= 0; }
  // The frame at the rate, the time rounded to the nearest frame.
  long long FrameAt(long rate) const;
};

// "196320" (frames, up to 2^31 - 1), "4.09s" (seconds) or "1:04.09" (minutes and seconds), times up to
// 10000 s, which stay below 2^31 frames at any rate. False for anything else.
bool ParseAudioPosition(const char* text, AudioPosition& position);
// "4.09s", "1:04.09", or plain seconds ("3"), from lowest to highest.
bool ParseSeconds(const char* text, double lowest, double highest, double& seconds);
