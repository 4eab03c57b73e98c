// ShowInfo: what a record reports about its stream through the exports and the record itself.
#include "commands/bound_stream.h"
#include "commands/commands.h"
#include "making/made_from.h"
#include "system/console_output.h"

namespace {

const WAVEFORMATEX& FormatOf(const StreamHeader& header) {
  return *reinterpret_cast<const WAVEFORMATEX*>(&header.formatTag);
}

void PrintFormat(const char* label, const WAVEFORMATEX& format) {
  Print("%s tag %u, %u channels, %lu Hz, %lu bytes/s, block align %u, %u bits, extension %u\n", label,
              format.wFormatTag, format.nChannels, format.nSamplesPerSec, format.nAvgBytesPerSec,
              format.nBlockAlign, format.wBitsPerSample, format.cbSize);
}

void PrintHeader(const StreamHeader& header) {
  const auto* magic = reinterpret_cast<const unsigned char*>(&header.magic);
  if (!header.magic) {
    Print("header:       none\n");
    return;
  }
  Print("header:       %s, magic %02X %02X %02X %02X, value 1 0x%08X, value 3 0x%08X\n",
              magic[1] == 'U' ? "RUX" : "RX2A", magic[0], magic[1], magic[2], magic[3], header.headerValue1,
              header.headerValue3);
  Print("header extra:");
  for (unsigned char byte : header.headerExtra) Print(" %02X", byte);
  Print(", bytes 50-51: %04X\n", header.reserved);
}

void PrintActivePart(const Rux2Library& rux, DecoderRecord& record, const char* formatLabel) {
  int32_t length = 0;
  rux.RUX_GetPcmLength(&record, &length);
  Print("length:       %ld frames\n", static_cast<long>(length));
  PrintFormat(formatLabel, *rux.RUX_GetPcmFormat(&record));
}

// What ruxtool make recorded in the stream's comments, where it made the stream.
void PrintMadeFrom(const std::string& path, long long offset) {
  MadeFrom made;
  if (!ReadMadeFrom(path, made, offset)) return;
  Print("made by:      ruxtool %s with %s\n", made.version.c_str(), made.options.c_str());
  Print("made from:    an input of %s, its loop from %s: %s\n", made.input.c_str(), made.loopGiven.c_str(),
              made.loop.c_str());
  if (!made.loopFrom.empty()) Print("loop from:    %s\n", made.loopFrom.c_str());
  if (!made.loopMoved.empty()) Print("loop moved:   %s\n", made.loopMoved.c_str());
  if (!made.join.empty()) Print("join:         %s\n", made.join.c_str());
  for (const RecordedSeam& seam : made.seams) {
    if (!seam.measured) continue;
    Print("seam %-24s %.1f dB signal to noise, %.1f dB in the music around it\n", seam.name.c_str(), seam.seamSnr,
          seam.bodySnr);
  }
}

}  // namespace

int ShowInfo(const Rux2Library& rux, const ToolOptions& options) {
  BoundStream stream(rux, options);
  if (!stream.Error().empty()) {
    PrintError("ruxtool: %s\n", stream.Error().c_str());
    return 1;
  }
  DecoderRecord& record = stream.Record();
  const bool twoPart = !options.loopStream.empty();
  Print("%s %s (%s)\n", twoPart ? "introduction:" : "stream:      ", options.stream.c_str(),
              options.fromFile ? "file source" : "memory image");
  PrintHeader(record.part[0].header);
  PrintMadeFrom(options.stream, options.offset);
  PrintActivePart(rux, record, "format:      ");
  const int result = rux.RUX_DetectConfigure(&record);
  Print("detection:    %d\n", result);
  if (result != RUX_OK) return 1;
  PrintFormat("decoded as:  ", *rux.RUX_GetPcmFormat(&record));
  if (!twoPart) return 0;
  Print("loop part:    %s\n", options.loopStream.c_str());
  PrintMadeFrom(options.loopStream, 0);
  PrintFormat("format:      ", FormatOf(record.part[1].header));
  rux.RUX_Replay(&record);
  PrintActivePart(rux, record, "decoded as:  ");
  return 0;
}
