// OggStreamWriter over libogg's stream layer, which fills pages of about 4 KiB unless told to flush.
#include "encoding/ogg_stream_writer.h"

OggStreamWriter::OggStreamWriter(int serial) { ogg_stream_init(&stream_, serial); }

OggStreamWriter::~OggStreamWriter() { ogg_stream_clear(&stream_); }

void OggStreamWriter::WriteHeaders(const std::vector<std::string>& headers) {
  Add(headers[0], 0, false);
  TakePages(true);
  Add(headers[1], 0, false);
  Add(headers[2], 0, false);
  TakePages(true);
}

void OggStreamWriter::WriteAudio(const std::string& packet, int64_t granule, bool endPage, bool last) {
  Add(packet, granule, last);
  TakePages(endPage || last);
}

void OggStreamWriter::Add(const std::string& packet, int64_t granule, bool last) {
  ogg_packet op{};
  op.packet = reinterpret_cast<unsigned char*>(const_cast<char*>(packet.data()));
  op.bytes = static_cast<long>(packet.size());
  op.b_o_s = packetNumber_ == 0;
  op.e_o_s = last;
  op.granulepos = granule;
  op.packetno = packetNumber_++;
  ogg_stream_packetin(&stream_, &op);
}

void OggStreamWriter::TakePages(bool flush) {
  ogg_page page;
  while (flush ? ogg_stream_flush(&stream_, &page) : ogg_stream_pageout(&stream_, &page)) {
    bytes_.append(reinterpret_cast<const char*>(page.header), static_cast<size_t>(page.header_len));
    bytes_.append(reinterpret_cast<const char*>(page.body), static_cast<size_t>(page.body_len));
  }
}
