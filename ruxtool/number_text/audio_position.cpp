// ParseAudioPosition and ParseSeconds over the one number reader, which takes the whole text or none.
#include "number_text/audio_position.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "number_text/parse_number.h"

namespace {

constexpr double kLongestSeconds = 10000;

// The seconds of "4.09s" or "1:04.09": minutes are whole, seconds below 60.
bool ParseTime(const std::string& text, double& seconds) {
  const size_t colon = text.find(':');
  if (colon != std::string::npos) {
    long long minutes = 0;
    double rest = 0;
    if (!ParseWholeNumber(text.substr(0, colon).c_str(), 0, 10000, minutes) ||
        !ParseDecimalNumber(text.substr(colon + 1).c_str(), 0, 60, rest) || rest >= 60) {
      return false;
    }
    seconds = static_cast<double>(minutes) * 60 + rest;
    return true;
  }
  return text.size() > 1 && text.back() == 's' &&
         ParseDecimalNumber(text.substr(0, text.size() - 1).c_str(), 0, 1e6, seconds);
}

}  // namespace

long long AudioPosition::FrameAt(long rate) const {
  return IsTime() ? std::llround(seconds * rate) : frames;
}

bool ParseAudioPosition(const char* text, AudioPosition& position) {
  position = {};
  position.text = text;
  if (ParseTime(text, position.seconds)) return position.seconds <= kLongestSeconds;
  position.seconds = -1;
  return std::strchr(text, '.') == nullptr && ParseWholeNumber(text, 0, INT32_MAX, position.frames);
}

bool ParseSeconds(const char* text, double lowest, double highest, double& seconds) {
  if (!ParseTime(text, seconds) && !ParseDecimalNumber(text, lowest, highest, seconds)) return false;
  return seconds >= lowest && seconds <= highest;
}
