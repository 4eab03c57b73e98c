// Ogg pages taken apart, changed and put together again with valid checksums: damaged streams that
// still pass the sync layer's checks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Every complete page of a stream, header and body together.
std::vector<std::string> SplitPages(const std::string& stream);
std::string JoinPages(const std::vector<std::string>& pages);
// Recomputes a page's checksum after its bytes were changed.
void Reseal(std::string& page);
// Recomputes the checksum of every whole page found in the bytes, wherever it begins.
void ResealEveryPage(std::string& bytes);
// A page of the given segments; its packet is complete only if the last lacing value is below 255.
std::string MakePage(unsigned char headerType, uint32_t serial, uint32_t sequence,
                     const std::vector<unsigned char>& lacing, const std::string& body);

// Positions in a page's header.
constexpr size_t kPageVersion = 4;
constexpr size_t kPageSequence = 18;
