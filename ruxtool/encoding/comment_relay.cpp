// RelayComments: the header packets read back through libogg, the comment packet made again by
// libvorbis, the header pages laid as OggStreamWriter lays them; the page numbers of the audio pages
// stay right as long as the headers take as many pages as before.
#include "encoding/comment_relay.h"

#include <ogg/ogg.h>
#include <vorbis/codec.h>

#include <cstring>

#include "encoding/ogg_stream_writer.h"

namespace {

constexpr size_t kReadBytes = 65536;

struct HeaderPages {
  std::vector<std::string> packets;
  int serial = 0;
  int pages = 0;
  size_t bytes = 0;  // the pages' length: the audio pages follow
};

// The three header packets of the Ogg stream in bytes, and the pages that hold them.
bool ReadHeaderPages(const std::string& bytes, HeaderPages& headers) {
  ogg_sync_state sync;
  ogg_sync_init(&sync);
  ogg_stream_state stream;
  bool streamStarted = false;
  size_t fed = 0;
  while (headers.packets.size() < 3) {
    ogg_page page;
    const int out = ogg_sync_pageout(&sync, &page);
    if (out == 0 && fed < bytes.size()) {
      const size_t chunk = std::min(kReadBytes, bytes.size() - fed);
      std::memcpy(ogg_sync_buffer(&sync, static_cast<long>(chunk)), bytes.data() + fed, chunk);
      ogg_sync_wrote(&sync, static_cast<long>(chunk));
      fed += chunk;
      continue;
    }
    if (out != 1) break;
    if (!streamStarted) {
      headers.serial = ogg_page_serialno(&page);
      ogg_stream_init(&stream, headers.serial);
      streamStarted = true;
    }
    if (ogg_stream_pagein(&stream, &page) != 0) break;
    ++headers.pages;
    headers.bytes += static_cast<size_t>(page.header_len + page.body_len);
    ogg_packet packet;
    while (headers.packets.size() < 3 && ogg_stream_packetout(&stream, &packet) == 1) {
      headers.packets.emplace_back(reinterpret_cast<const char*>(packet.packet), static_cast<size_t>(packet.bytes));
    }
    // The setup header must end its page, with no audio after it on the same page.
    if (headers.packets.size() == 3 && ogg_stream_packetpeek(&stream, nullptr) == 1) headers.packets.clear();
  }
  if (streamStarted) ogg_stream_clear(&stream);
  ogg_sync_clear(&sync);
  return headers.packets.size() == 3;
}

std::string CommentPacket(const std::vector<std::string>& comments) {
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  for (const std::string& text : comments) vorbis_comment_add(&comment, text.c_str());
  ogg_packet packet;
  vorbis_commentheader_out(&comment, &packet);
  std::string bytes(reinterpret_cast<const char*>(packet.packet), static_cast<size_t>(packet.bytes));
  ogg_packet_clear(&packet);
  vorbis_comment_clear(&comment);
  return bytes;
}

int PagesIn(const std::string& bytes) {
  int pages = 0;
  for (size_t at = 0; at + 27 <= bytes.size(); ++pages) {
    const auto* header = reinterpret_cast<const unsigned char*>(bytes.data() + at);
    size_t size = 27 + header[26];
    for (int segment = 0; segment < header[26] && at + 27 + segment < bytes.size(); ++segment)
      size += header[27 + segment];
    at += size;
  }
  return pages;
}

}  // namespace

bool RelayComments(std::string& stream, size_t oggStart, const std::vector<std::string>& comments) {
  HeaderPages old;
  if (oggStart > stream.size() || !ReadHeaderPages(stream.substr(oggStart, kReadBytes * 4), old)) return false;
  OggStreamWriter writer(old.serial);
  writer.WriteHeaders({old.packets[0], CommentPacket(comments), old.packets[2]});
  if (PagesIn(writer.Bytes()) != old.pages) return false;
  stream.replace(oggStart, old.bytes, writer.Bytes());
  return true;
}
