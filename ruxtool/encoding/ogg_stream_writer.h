// One logical Ogg stream of Vorbis packets: the headers on the pages players expect, the audio packets
// with the granule positions and page ends the caller chooses.
#pragma once

#include <ogg/ogg.h>

#include <cstdint>
#include <string>
#include <vector>

class OggStreamWriter {
 public:
  explicit OggStreamWriter(int serial);
  ~OggStreamWriter();
  OggStreamWriter(const OggStreamWriter&) = delete;
  OggStreamWriter& operator=(const OggStreamWriter&) = delete;

  // The identification header on a page of its own, the comment and setup headers on the next.
  void WriteHeaders(const std::vector<std::string>& headers);
  // granule: the frames played once this packet is decoded. endPage closes the page after the packet;
  // last also marks the end of the stream.
  void WriteAudio(const std::string& packet, int64_t granule, bool endPage, bool last);
  const std::string& Bytes() const { return bytes_; }

 private:
  void Add(const std::string& packet, int64_t granule, bool last);
  void TakePages(bool flush);

  ogg_stream_state stream_;
  int64_t packetNumber_ = 0;
  std::string bytes_;
};
