// The pictures: a few shapes and lines each, their coordinates rounded to tenths of a pixel.
#include "report/stream_pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr double kWidth = 960;
constexpr double kCloseUpSeconds = 0.02;
constexpr double kLaneHeight = 70;
constexpr double kLowestDb = -60;

// Before the loop's start, or before the jump; and after it.
const char kBeforeShade[] = "#e8eef7";
const char kAfterShade[] = "#eef6ea";
const char kWave[] = "#2d5f9a";
const char kMarker[] = "#c0392b";
const char kText[] = "#555";

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

std::string Opening(double height) {
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Number(kWidth) + "\" height=\"" + Number(height) +
         "\" viewBox=\"0 0 " + Number(kWidth) + " " + Number(height) +
         "\" font-family=\"sans-serif\" font-size=\"11\">";
}

std::string Rectangle(double x, double y, double width, double height, const char* fill) {
  return "<rect x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" width=\"" + Number(width) + "\" height=\"" +
         Number(height) + "\" fill=\"" + fill + "\"/>";
}

std::string Line(double x1, double y1, double x2, double y2, const char* stroke, const char* dashes = nullptr) {
  std::string line = "<line x1=\"" + Number(x1) + "\" y1=\"" + Number(y1) + "\" x2=\"" + Number(x2) + "\" y2=\"" +
                     Number(y2) + "\" stroke=\"" + stroke + "\"";
  if (dashes) line += std::string(" stroke-dasharray=\"") + dashes + "\"";
  return line + "/>";
}

std::string Label(double x, double y, const std::string& text, const char* anchor) {
  return "<text x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" fill=\"" + kText + "\" text-anchor=\"" + anchor +
         "\">" + text + "</text>";
}

std::string Points(const std::vector<std::pair<double, double>>& points) {
  std::string text;
  for (const auto& point : points) text += Number(point.first) + "," + Number(point.second) + " ";
  return text;
}

// "1:04.5": minutes and seconds to a tenth.
std::string Time(long frames, long rate) {
  const long tenths = std::lround(10.0 * static_cast<double>(frames) / static_cast<double>(rate));
  char text[32];
  std::snprintf(text, sizeof text, "%ld:%02ld.%ld", tenths / 600, tenths % 600 / 10, tenths % 10);
  return text;
}

// A sample within -1..1 at the height of a lane centred on middle.
double SampleY(double sample, double middle, double halfHeight) {
  return middle - std::clamp(sample, -1.0, 1.0) * halfHeight;
}

}  // namespace

std::string EnvelopePicture(const HeardStream& heard) {
  const double height = 130, top = 6, waveHeight = 100, middle = top + waveHeight / 2;
  const long frames = heard.LoopEnd(), rate = heard.layout.rate;
  const double loopX = kWidth * static_cast<double>(heard.LoopStart()) / static_cast<double>(frames);
  std::string svg = Opening(height) + Rectangle(0, top, loopX, waveHeight, kBeforeShade) +
                    Rectangle(loopX, top, kWidth - loopX, waveHeight, kAfterShade);
  std::vector<std::pair<double, double>> outline;
  const size_t columns = heard.envelopeHigh.size();
  for (size_t c = 0; c < columns; ++c) {
    outline.emplace_back(kWidth * (c + 0.5) / columns, SampleY(heard.envelopeHigh[c], middle, waveHeight / 2));
  }
  for (size_t c = columns; c-- > 0;) {
    outline.emplace_back(kWidth * (c + 0.5) / columns, SampleY(heard.envelopeLow[c], middle, waveHeight / 2));
  }
  svg += "<polygon points=\"" + Points(outline) + "\" fill=\"" + kWave + "\"/>";
  if (heard.LoopStart() > 0) svg += Line(loopX, top, loopX, top + waveHeight, kMarker);
  svg += Line(kWidth - 1, top, kWidth - 1, top + waveHeight, kMarker);
  svg += Label(2, height - 6, "0:00.0", "start");
  if (heard.LoopStart() > 0) svg += Label(loopX, height - 6, Time(heard.LoopStart(), rate), "middle");
  svg += Label(kWidth - 2, height - 6, Time(frames, rate), "end");
  return svg + "</svg>";
}

std::string WrapPicture(const HeardStream& heard) {
  const int channels = heard.layout.channels;
  const long reach = static_cast<long>(kCloseUpSeconds * heard.layout.rate), wrap = heard.LoopEnd();
  const long first = std::max(wrap - reach, heard.wrap.first);
  const long last = std::min(wrap + reach, heard.wrap.first + heard.wrap.Frames(channels));
  const double height = channels * kLaneHeight + 20;
  const auto x = [&](long frame) {
    return kWidth / 2 + kWidth / 2 * static_cast<double>(frame - wrap) / static_cast<double>(reach);
  };
  std::string svg = Opening(height) + Rectangle(0, 0, kWidth / 2, channels * kLaneHeight, kBeforeShade) +
                    Rectangle(kWidth / 2, 0, kWidth / 2, channels * kLaneHeight, kAfterShade);
  for (int channel = 0; channel < channels; ++channel) {
    const double middle = (channel + 0.5) * kLaneHeight;
    svg += Line(0, middle, kWidth, middle, "#bbb");
    std::vector<std::pair<double, double>> wave;
    for (long frame = first; frame < last; ++frame) {
      wave.emplace_back(x(frame),
                        SampleY(heard.wrap.At(frame, channels)[channel] / 32768.0, middle, kLaneHeight / 2 - 4));
    }
    svg += "<polyline points=\"" + Points(wave) + "\" fill=\"none\" stroke=\"" + kWave + "\" stroke-width=\"1.2\"/>";
  }
  svg += Line(kWidth / 2, 0, kWidth / 2, channels * kLaneHeight, kMarker);
  svg += Label(2, height - 5, "-20 ms", "start") + Label(kWidth / 2, height - 5, "0", "middle") +
         Label(kWidth - 2, height - 5, "+20 ms", "end");
  return svg + "</svg>";
}

std::string LevelPicture(const HeardStream& heard) {
  const double height = 150, plot = 128, reach = 3.0 * heard.layout.rate;
  const auto y = [&](double decibels) { return plot * std::clamp(decibels, kLowestDb, 0.0) / kLowestDb; };
  std::string svg = Opening(height) + Rectangle(0, 0, kWidth / 2, plot, kBeforeShade) +
                    Rectangle(kWidth / 2, 0, kWidth / 2, plot, kAfterShade);
  for (const double decibels : {-20.0, -40.0}) {
    svg += Line(0, y(decibels), kWidth, y(decibels), "#ccc", "4 4") +
           Label(2, y(decibels) - 2, std::to_string(static_cast<int>(decibels)) + " dB", "start");
  }
  std::vector<std::pair<double, double>> curve;
  const LevelCurve& level = heard.wrapLevel;
  for (size_t i = 0; i < level.decibels.size(); ++i) {
    const double offset = static_cast<double>(level.first) + static_cast<double>(i) * static_cast<double>(level.hop);
    curve.emplace_back(kWidth / 2 + kWidth / 2 * offset / reach, y(level.decibels[i]));
  }
  svg += "<polyline points=\"" + Points(curve) + "\" fill=\"none\" stroke=\"" + kWave + "\" stroke-width=\"1.5\"/>";
  svg += Line(kWidth / 2, 0, kWidth / 2, plot, kMarker);
  svg += Label(2, height - 5, "-3 s", "start") + Label(kWidth / 2, height - 5, "0", "middle") +
         Label(kWidth - 2, height - 5, "+3 s", "end");
  return svg + "</svg>";
}
