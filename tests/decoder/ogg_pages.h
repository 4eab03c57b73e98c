// Ogg pages taken apart, changed and put together again with valid checksums: damaged streams that
// still pass the sync layer's checks, and streams whose Vorbis headers are replaced.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Every complete page of a stream, header and body together; bytes between pages are dropped.
std::vector<std::string> SplitPages(const std::string& stream);
std::string JoinPages(const std::vector<std::string>& pages);
// Recomputes a page's checksum after its bytes were changed.
void Reseal(std::string& page);
// Recomputes the checksum of every whole page found in the bytes, wherever it begins.
void ResealEveryPage(std::string& bytes);
// A page of the given segments; its packet is complete only if the last lacing value is below 255.
std::string MakePage(unsigned char headerType, uint32_t serial, uint32_t sequence,
                     const std::vector<unsigned char>& lacing, const std::string& body, int64_t granule = 0);

// The identification, comment and setup packets of a stream whose first page holds the first alone
// and whose header pages end with the third, as encoders write them; empty otherwise.
std::vector<std::string> HeaderPackets(const std::string& stream);
// The stream with its comment and setup packets replaced: they are laced onto new pages after the
// identification page (continuation flags, granule positions, sequence numbers and checksums set as
// an encoder sets them), and the audio pages follow unchanged but for their sequence numbers and
// checksums. Empty when HeaderPackets finds no headers to replace.
std::string WithHeaderPackets(const std::string& stream, const std::string& comment,
                              const std::string& setup);

// Positions in a page's header.
constexpr size_t kPageVersion = 4;
constexpr size_t kPageSequence = 18;
