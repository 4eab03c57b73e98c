// Audio as ruxtool reads it from an audio file and encodes it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A loop of the input: frames [start, end), end exclusive.
struct LoopPoints {
  long start = 0;
  long end = 0;
  long Length() const { return end - start; }
};

// What a file's header says of its audio before it is read; a damaged file may hold fewer frames.
struct AudioShape {
  int channels = 0;
  long rate = 0;
  int64_t frames = 0;
};

struct PcmAudio {
  int channels = 0;
  long rate = 0;
  // Interleaved frames, nominally within -1..1, with the channels in Vorbis order.
  std::vector<float> samples;
  // The first loop the file itself names (a WAV smpl chunk, AIFF's sustain loop, loop comments): where
  // it was found (empty when the file names none), and why it cannot be read (empty when it can).
  std::string loopTag;
  std::string loopTagProblem;
  LoopPoints taggedLoop;
  // Decoded from Ogg Vorbis: encoding it again costs quality.
  bool decodedFromVorbis = false;

  long Frames() const { return channels ? static_cast<long>(samples.size() / channels) : 0; }
  // One frame of a file's channels, or their mean where the audio is read mixed to one channel.
  void AppendFrame(const float* values, int fileChannels) {
    if (channels == fileChannels) {
      samples.insert(samples.end(), values, values + fileChannels);
      return;
    }
    float sum = 0;
    for (int channel = 0; channel < fileChannels; ++channel) sum += values[channel];
    samples.push_back(sum / fileChannels);
  }
  const float* Frame(long frame) const { return samples.data() + static_cast<size_t>(frame) * channels; }
};
