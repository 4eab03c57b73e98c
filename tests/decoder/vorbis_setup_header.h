// A Vorbis setup header taken apart into its codebooks, which can be changed, and the bits after
// them (floors, residues, mappings, modes), kept as they are; and put together again bit-exactly.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct Codebook {
  uint32_t dimension = 1;
  uint32_t entries = 0;
  // Ordered: lengths ascend from firstLength, and lengthCounts[i] entries have firstLength + i.
  // Otherwise one length per entry in lengths, where 0 marks an unused entry of a sparse book.
  bool ordered = true;
  uint32_t firstLength = 1;
  std::vector<uint32_t> lengthCounts;
  bool sparse = false;
  std::vector<uint8_t> lengths;
  // 0: no values; 1: a lattice of the stored values; 2: one stored value per entry and dimension.
  uint32_t mapType = 0;
  uint32_t minimum = 0;
  uint32_t delta = 0;
  uint32_t valueBits = 1;
  bool sequence = false;
  std::vector<uint32_t> values;
};

struct SetupHeader {
  std::vector<Codebook> books;
  // Written as the count of books; normally books.size(), differing only to describe a damaged header.
  uint32_t declaredBooks = 0;
  std::vector<bool> rest;  // every bit after the last codebook, padding included
};

// The setup header in the packet, or nothing when the packet is not one whose books can be read.
std::optional<SetupHeader> ParseSetupHeader(const std::string& packet);
std::string WriteSetupHeader(const SetupHeader& header);

// Books whose codeword lengths make a complete tree, as libvorbis demands, stored ordered: entries
// all used. mapType 1 and 2 get the values their layout needs, all zero.
Codebook CompleteBook(uint32_t entries, uint32_t dimension = 1, uint32_t mapType = 0);
// The same tree over the first `used` entries of `entries`, stored one length per entry with the
// rest marked unused.
Codebook SparseBook(uint32_t entries, uint32_t used, uint32_t dimension = 1, uint32_t mapType = 0);
// The bits after the codebooks of a minimal header: one floor without posts, `residues` residues that
// each classify with classBook into `partitions` classes and decode nothing further, one mapping
// and one mode. classBook needs entries >= partitions^dimension.
std::vector<bool> ResidueTail(uint32_t residues, uint32_t classBook, uint32_t partitions);
// The number of values a map-type-1 book stores: the largest v with v^dimension <= entries.
uint32_t LatticeValues(uint32_t entries, uint32_t dimension);
