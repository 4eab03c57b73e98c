// Ogg Vorbis streams encoded from PCM with libvorbisenc: the tool's sample stream and the tests'
// streams.
#pragma once

#include <string>
#include <vector>

struct VorbisSettings {
  int channels = 2;
  long rate = 44100;
  float quality = 0.3f;
  int serial = 1;
};

// samples: interleaved frames, nominally within -1..1. The identification header has a page of its
// own, the comment and setup headers share the next one, and the audio pages follow; the last page
// carries the end-of-stream flag. Empty when libvorbisenc refuses the settings.
std::string EncodeVorbis(const std::vector<float>& samples, const VorbisSettings& settings);
