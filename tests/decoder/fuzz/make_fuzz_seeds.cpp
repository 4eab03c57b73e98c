// make_fuzz_seeds FOLDER: writes the fuzz target's seeds into FOLDER from the test streams in the
// working folder: each stream plain, behind a RUX and an RX2A header, with its pages resealed, and
// as the introduction of a two-part stream, with various lengths, replays and ways to close; and the
// shortest stream with each class of crafted setup header.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "crafted_setup_headers.h"
#include "fuzz_input.h"
#include "test_streams.h"

namespace {

const TestStream* const kSeedStreams[] = {&kBlip, &kMono22050, &kMono48000, &kStereo48000, &kStereo44100};

std::string ReadStream(const TestStream& stream) {
  std::ifstream file(std::string(stream.name) + ".ogg", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string LittleEndian(uint32_t value, int width) {
  std::string bytes;
  for (int i = 0; i < width; ++i) bytes += static_cast<char>(value >> (8 * i));
  return bytes;
}

std::string RuxHeader(const TestStream& stream) {
  const uint32_t blockAlign = 2 * stream.channels;
  return "RUX " + LittleEndian(1, 4) + LittleEndian(stream.frames, 4) + LittleEndian(3, 4) +
         LittleEndian(1, 2) + LittleEndian(stream.channels, 2) + LittleEndian(stream.rate, 4) +
         LittleEndian(blockAlign * stream.rate, 4) + LittleEndian(blockAlign, 2) + LittleEndian(16, 2) +
         LittleEndian(0, 2) + LittleEndian(0, 2);
}

std::string Rx2aHeader(const TestStream& stream) {
  const std::string rux = RuxHeader(stream);
  return "RX2A" + rux.substr(4, 12) + std::string(16, '\x5A') + rux.substr(16, 18) + LittleEndian(0, 2);
}

bool WriteSeed(const std::string& folder, const std::string& name, const FuzzInput& input) {
  std::ofstream file(folder + "/" + name, std::ios::binary);
  const std::string bytes = WriteFuzzInput(input);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_fuzz_seeds FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  bool written = true;
  for (size_t i = 0; i < std::size(kSeedStreams); ++i) {
    const TestStream& stream = *kSeedStreams[i];
    const std::string bytes = ReadStream(stream);
    const std::string name = stream.name;
    FuzzInput input;
    input.lengths = {4096, 1, 333, 65536};
    input.replays = 1;
    input.stream = bytes;
    written &= WriteSeed(folder, name, input);
    input.stream = RuxHeader(stream) + bytes;
    input.lengths = {0, 4097, 8192, 2};
    written &= WriteSeed(folder, name + "_rux", input);
    input.stream = Rx2aHeader(stream) + bytes;
    input.closeCoderFirst = true;
    written &= WriteSeed(folder, name + "_rx2a", input);
    input.stream = bytes;
    input.resealPages = true;
    input.freeOnClose = true;
    input.replays = 2;
    written &= WriteSeed(folder, name + "_resealed", input);
    const std::string loop = ReadStream(*kSeedStreams[(i + 1) % std::size(kSeedStreams)]);
    input.twoPart = true;
    input.stream = bytes + loop;
    input.splitAt =
        static_cast<uint16_t>((bytes.size() * 65536 + input.stream.size() - 1) / input.stream.size());
    input.replays = 3;
    written &= WriteSeed(folder, name + "_two_parts", input);
  }
  FuzzInput crafted;
  crafted.lengths = {4096, 1, 333, 65536};
  crafted.replays = 1;
  for (size_t i = 0; i < kCraftedHeaderClassCount; ++i) {
    crafted.stream = CraftStream(ReadStream(kBlip), kCraftedHeaderClasses[i].craft);
    written &= !crafted.stream.empty() &&
               WriteSeed(folder, std::string("crafted_") + kCraftedHeaderClasses[i].name, crafted);
  }
  if (!written) {
    std::fprintf(stderr, "make_fuzz_seeds: cannot write the seeds into %s\n", folder.c_str());
    return 1;
  }
  return 0;
}
