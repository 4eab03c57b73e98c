// SplitPages, Reseal and MakePage over libogg's sync layer and checksum.
#include "ogg_pages.h"

#include <ogg/ogg.h>

#include <cstring>

std::vector<std::string> SplitPages(const std::string& stream) {
  ogg_sync_state sync;
  ogg_sync_init(&sync);
  char* buffer = ogg_sync_buffer(&sync, static_cast<long>(stream.size()));
  std::memcpy(buffer, stream.data(), stream.size());
  ogg_sync_wrote(&sync, static_cast<long>(stream.size()));
  std::vector<std::string> pages;
  ogg_page page;
  while (ogg_sync_pageout(&sync, &page) != 0) {
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
                     const std::vector<unsigned char>& lacing, const std::string& body) {
  std::string page("OggS", 4);
  page += '\0';
  page += static_cast<char>(headerType);
  page.append(8, '\0');
  for (uint32_t value : {serial, sequence, 0u}) {
    for (int shift = 0; shift < 32; shift += 8) page += static_cast<char>(value >> shift);
  }
  page += static_cast<char>(lacing.size());
  page.append(lacing.begin(), lacing.end());
  page += body;
  Reseal(page);
  return page;
}
