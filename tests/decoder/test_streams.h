// The decoder tests' streams. make_test_signals writes their signals, oggenc encodes them before the
// tests run, and the tests read them from their working folder.
#pragma once

#include <string>

struct TestStream {
  const char* name;  // "name.ogg" in the working folder
  int channels;
  long rate;
  long frames;
  unsigned seed;
};

constexpr TestStream kMono22050{"mono_22050", 1, 22050, 3 * 22050, 1};
constexpr TestStream kStereo44100{"stereo_44100", 2, 44100, 3 * 44100, 2};
constexpr TestStream kStereo48000{"stereo_48000", 2, 48000, 2 * 48000, 3};
constexpr TestStream kMono48000{"mono_48000", 1, 48000, 2 * 48000, 4};
// Shorter than one audio page.
constexpr TestStream kBlip{"blip_stereo_44100", 2, 44100, 2205, 5};
// Three minutes: a file of many reader chunks.
constexpr TestStream kLongMono22050{"long_mono_22050", 1, 22050, 180 * 22050, 6};
// A long track at CD rate: the benchmark's stream.
constexpr TestStream kLongStereo44100{"long_stereo_44100", 2, 44100, 200 * 44100, 7};

constexpr TestStream kTestStreams[] = {kMono22050, kStereo44100,   kStereo48000,     kMono48000,
                                       kBlip,      kLongMono22050, kLongStereo44100};

// The stream's Ogg bytes, read once.
const std::string& StreamBytes(const TestStream& stream);
