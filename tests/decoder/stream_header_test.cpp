// The headers and the format a record reports: RUX and RX2A copied into it, look-alikes, images
// and files shorter than a header, files at an offset, the probe of headerless images, and the
// format once the Vorbis headers are read.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "file_bytes.h"
#include "guarded_image.h"
#include "reference_decoder.h"
#include "rux2_session.h"
#include "temp_directory.h"

namespace {

std::string LittleEndian(uint32_t value, int width) {
  std::string bytes;
  for (int i = 0; i < width; ++i) bytes += static_cast<char>(value >> (8 * i));
  return bytes;
}

// "RUXZ", values, an 8-bit mono format with extension size 0x1234, two ignored bytes.
std::string RuxHeader() {
  return "RUXZ" + LittleEndian(0x11223344, 4) + LittleEndian(123456, 4) + LittleEndian(0x55667788, 4) +
         LittleEndian(1, 2) + LittleEndian(1, 2) + LittleEndian(11025, 4) + LittleEndian(11025, 4) +
         LittleEndian(1, 2) + LittleEndian(8, 2) + LittleEndian(0x1234, 2) + "\xEE\xEE";
}

// "RX2A", values, sixteen extra bytes, a stereo format with extension size 22, bytes 50-51.
std::string Rx2aHeader() {
  std::string extra;
  for (char byte = 1; byte <= 16; ++byte) extra += byte;
  return "RX2A" + LittleEndian(7, 4) + LittleEndian(654321, 4) + LittleEndian(9, 4) + extra +
         LittleEndian(1, 2) + LittleEndian(2, 2) + LittleEndian(44100, 4) + LittleEndian(176400, 4) +
         LittleEndian(4, 2) + LittleEndian(16, 2) + LittleEndian(22, 2) + "\xEF\xBE";
}

std::string HeaderBytes(const StreamHeader& header) {
  return std::string(reinterpret_cast<const char*>(&header), sizeof header);
}

void ExpectFormat(const WAVEFORMATEX& format, uint16_t tag, uint16_t channels, uint32_t rate,
                  uint32_t bytesPerSecond, uint16_t blockAlign, uint16_t bits, uint16_t extension) {
  EXPECT_EQ(format.wFormatTag, tag);
  EXPECT_EQ(format.nChannels, channels);
  EXPECT_EQ(format.nSamplesPerSec, rate);
  EXPECT_EQ(format.nAvgBytesPerSec, bytesPerSecond);
  EXPECT_EQ(format.nBlockAlign, blockAlign);
  EXPECT_EQ(format.wBitsPerSample, bits);
  EXPECT_EQ(format.cbSize, extension);
}

void ExpectDefaultFormat(Rux2Session& session) {
  ExpectFormat(session.Format(), 1, 2, 44100, 176400, 4, 16, 16);
}

TEST(StreamHeaders, ARuxHeaderIsCopiedWhateverItsFourthByteAndTheFormatFollowsTheStream) {
  const std::string image = RuxHeader() + StreamBytes(kStereo44100);
  Rux2Session session;
  session.InputMemory(image);
  const StreamHeader& header = session.Record().part[0].header;
  const std::string copied = HeaderBytes(header);
  EXPECT_EQ(copied.substr(0, 16), image.substr(0, 16));
  EXPECT_EQ(copied.substr(16, 16), std::string(16, '\0'));
  EXPECT_EQ(copied.substr(32, 18), image.substr(16, 18));
  EXPECT_EQ(copied.substr(50, 2), std::string(2, '\0'));
  EXPECT_EQ(session.Length(), 123456);
  ExpectFormat(session.Format(), 1, 1, 11025, 11025, 1, 8, 0x1234);
  EXPECT_EQ(session.Record().part[0].source.dataStart, 36u);
  EXPECT_EQ(session.Record().part[0].source.dataLimit, image.size());

  ASSERT_EQ(session.Detect(), RUX_OK);
  ExpectFormat(session.Format(), 1, 2, 44100, 176400, 4, 16, 0x1234);
  EXPECT_EQ(HeaderBytes(header).substr(0, 32), copied.substr(0, 32));
  EXPECT_TRUE(SamePcm(session.DecodeToEnd(), Reference(kStereo44100).pcm));
}

TEST(StreamHeaders, AnRx2aHeaderIsCopiedWholeAndDetectionChangesOnlyTheFormat) {
  const std::string image = Rx2aHeader() + StreamBytes(kMono48000);
  Rux2Session session;
  session.InputMemory(image);
  const StreamHeader& header = session.Record().part[0].header;
  EXPECT_EQ(HeaderBytes(header), image.substr(0, 52));
  EXPECT_EQ(session.Length(), 654321);
  EXPECT_EQ(session.Record().part[0].source.dataStart, 52u);

  ASSERT_EQ(session.Detect(), RUX_OK);
  ExpectFormat(session.Format(), 1, 1, 48000, 96000, 2, 16, 22);
  EXPECT_EQ(HeaderBytes(header).substr(0, 32), image.substr(0, 32));
  EXPECT_EQ(HeaderBytes(header).substr(50, 2), image.substr(50, 2));
  EXPECT_TRUE(SamePcm(session.DecodeToEnd(), Reference(kMono48000).pcm));
}

TEST(StreamHeaders, LookAlikesAreNoHeadersAndKeepTheDefaultFormat) {
  for (const char* start : {"RUY", "RX2B", "RXZA", "XRUX"}) {
    const std::string image = start + std::string(100, 'x');
    Rux2Session session;
    session.InputMemory(image);
    EXPECT_EQ(session.Record().part[0].header.magic, 0u) << start;
    EXPECT_EQ(session.Record().part[0].source.dataStart, 0u) << start;
    EXPECT_EQ(session.Length(), 0) << start;
    ExpectDefaultFormat(session);
  }
}

TEST(StreamHeaders, AHeaderlessImageReportsItsFormatAndItsTrueLengthAtOnce) {
  for (const TestStream& stream : {kMono22050, kStereo48000, kBlip}) {
    Rux2Session session;
    session.InputMemory(StreamBytes(stream));
    const uint32_t blockAlign = 2 * stream.channels;
    ExpectFormat(session.Format(), 1, stream.channels, stream.rate, blockAlign * stream.rate, blockAlign, 16,
                 16);
    EXPECT_EQ(session.Length(), Reference(stream).Frames()) << stream.name;
    EXPECT_EQ(session.Length(), stream.frames) << stream.name;
  }
}

TEST(StreamHeaders, AHeaderlessFileReportsTheDefaultFormatUntilDetection) {
  TempDirectory directory;
  WriteFileBytes(directory / "mono.ogg", StreamBytes(kMono22050));
  Rux2Session session;
  session.InputFile(directory / "mono.ogg");
  ExpectDefaultFormat(session);
  EXPECT_EQ(session.Length(), 0);
  ASSERT_EQ(session.Detect(), RUX_OK);
  ExpectFormat(session.Format(), 1, 1, 22050, 44100, 2, 16, 16);
  EXPECT_EQ(session.Length(), 0);
}

TEST(StreamHeaders, AFileStreamAtAnOffsetEndsAtItsSizeOrTheWholeFilesSize) {
  TempDirectory directory;
  const std::string stream = RuxHeader() + StreamBytes(kStereo48000);
  const std::string file = std::string(1000, 'j') + stream + std::string(500, 'j');
  WriteFileBytes(directory / "pack.bin", file);
  for (uint32_t size : {0u, static_cast<uint32_t>(stream.size())}) {
    Rux2Session session;
    session.InputFile(directory / "pack.bin", 1000, size);
    const SourceSlot& source = session.Record().part[0].source;
    EXPECT_EQ(source.dataStart, 1036u);
    EXPECT_EQ(source.dataLimit, 1000 + (size ? size : file.size()));
    EXPECT_EQ(HeaderBytes(session.Record().part[0].header).substr(0, 16), stream.substr(0, 16));
    ASSERT_EQ(session.Detect(), RUX_OK);
    EXPECT_TRUE(SamePcm(session.DecodeToEnd(), Reference(kStereo48000).pcm)) << size;
  }
}

TEST(StreamHeaders, ImagesShorterThanTheirHeaderAreReadAsFarAsTheyGoAndNoFurther) {
  const std::string rux = RuxHeader();
  const std::string rx2a = Rx2aHeader();
  for (const std::string& bytes : {std::string(), std::string("R"), std::string("RU"), std::string("RUX"),
                                   rux.substr(0, 20), rux, rx2a.substr(0, 30)}) {
    const GuardedImage guarded(bytes);
    Rux2Session session;
    Rux2().RUX_InputMemory(&session.Record(), guarded.Image(), static_cast<uint32_t>(bytes.size()), 0);
    const std::string header = HeaderBytes(session.Record().part[0].header);
    if (bytes.size() < 4) {
      EXPECT_EQ(session.Record().part[0].header.magic, 0u) << bytes.size();
      ExpectDefaultFormat(session);
    } else if (bytes[1] == 'U') {
      std::string expected(52, '\0');
      expected.replace(0, 16, bytes.substr(0, 16));
      expected.replace(32, bytes.size() - 16 < 18 ? bytes.size() - 16 : 18, bytes.substr(16, 18));
      EXPECT_EQ(header, expected) << bytes.size();
    } else {
      EXPECT_EQ(header, bytes + std::string(52 - bytes.size(), '\0'));
    }
    EXPECT_EQ(session.Detect(), RUX_NO_FIRST_PAGE) << bytes.size();
  }
}

TEST(StreamHeaders, AFileWithFewerThanFourBytesAtTheOffsetHasNoHeader) {
  TempDirectory directory;
  WriteFileBytes(directory / "short.bin", "RUX");
  for (uint32_t offset : {0u, 1u, 3u, 1000u}) {
    Rux2Session session;
    session.InputFile(directory / "short.bin", offset);
    EXPECT_EQ(session.Record().part[0].header.magic, 0u) << offset;
    EXPECT_EQ(session.Record().part[0].source.dataStart, offset);
    ExpectDefaultFormat(session);
    EXPECT_EQ(session.Detect(), RUX_NO_FIRST_PAGE) << offset;
  }
}

}  // namespace
