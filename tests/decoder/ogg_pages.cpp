// SplitPages, Reseal and MakePage over libogg's sync layer and checksum; the header packets of a
// stream through its stream layer, and laced anew by hand.
#include "ogg_pages.h"

#include <ogg/ogg.h>

#include <algorithm>
#include <cstring>

std::vector<std::string> SplitPages(const std::string& stream) {
  std::vector<std::string> pages;
  if (stream.empty()) return pages;
  ogg_sync_state sync;
  ogg_sync_init(&sync);
  char* buffer = ogg_sync_buffer(&sync, static_cast<long>(stream.size()));
  std::memcpy(buffer, stream.data(), stream.size());
  ogg_sync_wrote(&sync, static_cast<long>(stream.size()));
  ogg_page page;
  for (int result; (result = ogg_sync_pageout(&sync, &page)) != 0;) {
    // Bytes that are no page are skipped.
    if (result < 0) continue;
    pages.push_back(std::string(reinterpret_cast<char*>(page.header), page.header_len) +
                    std::string(reinterpret_cast<char*>(page.body), page.body_len));
  }
  ogg_sync_clear(&sync);
  return pages;
}

std::string JoinPages(const std::vector<std::string>& pages) {
  std::string stream;
  for (const std::string& page : pages) stream += page;
  return stream;
}

void Reseal(std::string& page) {
  const long headerLength = 27 + static_cast<unsigned char>(page[26]);
  ogg_page view{reinterpret_cast<unsigned char*>(&page[0]), headerLength,
                reinterpret_cast<unsigned char*>(&page[0]) + headerLength,
                static_cast<long>(page.size()) - headerLength};
  ogg_page_checksum_set(&view);
}

void ResealEveryPage(std::string& bytes) {
  constexpr size_t kHeaderBase = 27;
  size_t position = bytes.find("OggS");
  while (position != std::string::npos && position + kHeaderBase <= bytes.size()) {
    const size_t headerLength = kHeaderBase + static_cast<unsigned char>(bytes[position + 26]);
    size_t pageLength = headerLength;
    if (position + headerLength <= bytes.size()) {
      for (size_t i = kHeaderBase; i < headerLength; ++i)
        pageLength += static_cast<unsigned char>(bytes[position + i]);
    }
    if (position + pageLength > bytes.size()) break;
    std::string page = bytes.substr(position, pageLength);
    Reseal(page);
    bytes.replace(position, pageLength, page);
    position = bytes.find("OggS", position + pageLength);
  }
}

std::string MakePage(unsigned char headerType, uint32_t serial, uint32_t sequence,
                     const std::vector<unsigned char>& lacing, const std::string& body, int64_t granule) {
  std::string page("OggS", 4);
  page += '\0';
  page += static_cast<char>(headerType);
  for (int shift = 0; shift < 64; shift += 8)
    page += static_cast<char>(static_cast<uint64_t>(granule) >> shift);
  for (uint32_t value : {serial, sequence, 0u}) {
    for (int shift = 0; shift < 32; shift += 8) page += static_cast<char>(value >> shift);
  }
  page += static_cast<char>(lacing.size());
  page.append(lacing.begin(), lacing.end());
  page += body;
  Reseal(page);
  return page;
}

namespace {

constexpr unsigned char kContinuedPacket = 0x01;
constexpr size_t kMaxSegments = 255;

uint32_t PageSerial(const std::string& page) {
  uint32_t serial = 0;
  for (int i = 3; i >= 0; --i) serial = serial << 8 | static_cast<unsigned char>(page[14 + i]);
  return serial;
}

void SetPageSequence(std::string& page, uint32_t sequence) {
  for (int i = 0; i < 4; ++i) page[kPageSequence + i] = static_cast<char>(sequence >> (8 * i));
  Reseal(page);
}

// The packets of the first pages, as many pages as it takes to give `wanted` packets; pagesUsed is
// 0 unless the last of those pages ends with the last packet wanted.
std::vector<std::string> LeadingPackets(const std::vector<std::string>& pages, size_t wanted,
                                        size_t& pagesUsed) {
  pagesUsed = 0;
  std::vector<std::string> packets;
  if (pages.empty()) return packets;
  ogg_stream_state stream;
  ogg_stream_init(&stream, static_cast<int>(PageSerial(pages[0])));
  ogg_packet packet;
  size_t page = 0;
  bool firstPageAlone = true;
  while (packets.size() < wanted && page < pages.size()) {
    std::string bytes = pages[page++];
    const long headerLength = 27 + static_cast<unsigned char>(bytes[26]);
    ogg_page view{reinterpret_cast<unsigned char*>(&bytes[0]), headerLength,
                  reinterpret_cast<unsigned char*>(&bytes[0]) + headerLength,
                  static_cast<long>(bytes.size()) - headerLength};
    ogg_stream_pagein(&stream, &view);
    while (ogg_stream_packetout(&stream, &packet) == 1) {
      packets.emplace_back(reinterpret_cast<const char*>(packet.packet), packet.bytes);
    }
    firstPageAlone = firstPageAlone && (page > 1 || packets.size() == 1);
  }
  const bool endsOnPage =
      ogg_stream_packetpeek(&stream, nullptr) == 0 && stream.body_fill == stream.body_returned;
  if (packets.size() == wanted && firstPageAlone && endsOnPage) pagesUsed = page;
  ogg_stream_clear(&stream);
  return packets;
}

// Packets laced into as few pages as they fill, numbered from `sequence`. A page that begins inside
// a packet is flagged as continued; one on which no packet ends has granule position -1.
std::vector<std::string> FramePackets(uint32_t serial, uint32_t sequence,
                                      const std::vector<std::string>& packets) {
  std::vector<std::string> pages;
  std::vector<unsigned char> lacing;
  std::string body;
  bool continued = false;
  const auto flush = [&](bool nextContinued) {
    const bool packetEnds =
        std::any_of(lacing.begin(), lacing.end(), [](unsigned char value) { return value < 255; });
    pages.push_back(
        MakePage(continued ? kContinuedPacket : 0, serial, sequence++, lacing, body, packetEnds ? 0 : -1));
    lacing.clear();
    body.clear();
    continued = nextContinued;
  };
  for (const std::string& packet : packets) {
    for (size_t offset = 0;; offset += 255) {
      if (lacing.size() == kMaxSegments) flush(offset > 0);
      const size_t segment = std::min<size_t>(255, packet.size() - offset);
      lacing.push_back(static_cast<unsigned char>(segment));
      body.append(packet, offset, segment);
      if (segment < 255) break;
    }
  }
  if (!lacing.empty()) flush(false);
  return pages;
}

}  // namespace

std::vector<std::string> HeaderPackets(const std::string& stream) {
  size_t pagesUsed = 0;
  std::vector<std::string> packets = LeadingPackets(SplitPages(stream), 3, pagesUsed);
  if (pagesUsed == 0) packets.clear();
  return packets;
}

std::string WithHeaderPackets(const std::string& stream, const std::string& comment,
                              const std::string& setup) {
  const std::vector<std::string> pages = SplitPages(stream);
  size_t pagesUsed = 0;
  LeadingPackets(pages, 3, pagesUsed);
  if (pagesUsed == 0) return "";
  const std::vector<std::string> headers = FramePackets(PageSerial(pages[0]), 1, {comment, setup});
  std::string result = pages[0] + JoinPages(headers);
  auto sequence = static_cast<uint32_t>(1 + headers.size());
  for (size_t i = pagesUsed; i < pages.size(); ++i) {
    std::string page = pages[i];
    SetPageSequence(page, sequence++);
    result += page;
  }
  return result;
}
