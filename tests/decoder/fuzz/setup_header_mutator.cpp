// LLVMFuzzerCustomMutator: a structure-aware change to the setup header of the stream in a fuzz
// input, for one input in three; libFuzzer's byte mutations for the others. The change (a codebook
// appended, replaced or grown, the count of books, a dimension or a map type changed, the residues
// replaced) builds the large, self-consistent books that byte mutations never build, and the pages
// are framed anew so that the stream stays readable up to its setup header.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

#include "fuzz_input.h"
#include "ogg_pages.h"
#include "vorbis_setup_header.h"

extern "C" size_t LLVMFuzzerMutate(uint8_t* data, size_t size, size_t maxSize);

namespace {

constexpr uint32_t kMaxBooks = 256;
// A map-type-2 book stores a value per entry and dimension: beyond this many the input outgrows its
// limit, and a map-type-1 book stands in.
constexpr uint64_t kMaxStoredValues = 1 << 20;

class HeaderMutation {
 public:
  explicit HeaderMutation(unsigned seed) : random_(seed) {}

  void Apply(SetupHeader& header) {
    switch (Below(7)) {
      case 0:
        if (header.books.size() < kMaxBooks) header.books.push_back(RandomBook());
        header.declaredBooks = static_cast<uint32_t>(header.books.size());
        break;
      case 1:
        AnyBook(header) = RandomBook();
        break;
      case 2: {
        Codebook& book = AnyBook(header);
        book = Rebuilt(book, std::min<uint64_t>((uint64_t{book.entries} + 1) << Below(12), (1 << 24) - 1),
                       book.dimension);
        break;
      }
      case 3:
        header.declaredBooks = std::clamp<uint32_t>(header.declaredBooks + Below(5) - 2, 1, kMaxBooks);
        break;
      case 4: {
        Codebook& book = AnyBook(header);
        book = Rebuilt(book, book.entries, RandomDimension());
        break;
      }
      case 5: {
        Codebook& book = AnyBook(header);
        book.mapType = Below(4);
        book = Rebuilt(book, book.entries, book.dimension);
        break;
      }
      default: {
        header.books.push_back(RandomBook());
        header.books.resize(std::min<size_t>(header.books.size(), kMaxBooks));
        header.declaredBooks = static_cast<uint32_t>(header.books.size());
        header.rest = ResidueTail(1 + Below(64), Below(header.declaredBooks), 1 + Below(64));
        break;
      }
    }
  }

 private:
  uint32_t Below(uint32_t bound) { return static_cast<uint32_t>(random_() % bound); }

  Codebook& AnyBook(SetupHeader& header) {
    return header.books[Below(static_cast<uint32_t>(header.books.size()))];
  }

  // Entries spread evenly over their bit widths, up to the format's 2^24 - 1.
  uint32_t RandomEntries() { return std::max<uint32_t>(1, Below(1u << (1 + Below(24)))); }

  uint32_t RandomDimension() {
    static constexpr uint32_t kDimensions[] = {0, 1, 2, 3, 4, 8, 16, 64, 255, 4095, 65535};
    return kDimensions[Below(std::size(kDimensions))];
  }

  Codebook RandomBook() {
    Codebook book;
    book.mapType = Below(3);
    return Rebuilt(book, RandomEntries(), RandomDimension());
  }

  // A complete book of the same map type with other entries or another dimension; sparse books
  // stay sparse where their lengths stay small.
  Codebook Rebuilt(const Codebook& book, uint64_t entries, uint32_t dimension) {
    uint32_t mapType = book.mapType;
    if (mapType == 2 && entries * dimension > kMaxStoredValues) mapType = 1;
    if (mapType > 2) {
      Codebook invalid = book;
      invalid.values.clear();
      return invalid;
    }
    const auto count = static_cast<uint32_t>(entries);
    if (!book.ordered && count <= (1 << 16)) {
      return SparseBook(count, std::max<uint32_t>(1, count >> Below(16)), dimension, mapType);
    }
    return CompleteBook(count, dimension, mapType);
  }

  std::mt19937 random_;
};

// The stream of one part with its setup header changed; empty when it has no headers to change.
std::string Mutated(const std::string& part, unsigned seed) {
  const std::vector<std::string> packets = HeaderPackets(part);
  if (packets.size() != 3) return "";
  std::optional<SetupHeader> header = ParseSetupHeader(packets[2]);
  if (!header) return "";
  HeaderMutation(seed).Apply(*header);
  return WithHeaderPackets(part, packets[1], WriteSetupHeader(*header));
}

}  // namespace

extern "C" size_t LLVMFuzzerCustomMutator(uint8_t* data, size_t size, size_t maxSize, unsigned int seed) {
  if (seed % 3 != 0) return LLVMFuzzerMutate(data, size, maxSize);
  FuzzInput input = ReadFuzzInput(data, size);
  // In two parts, the introduction changes and the loop part keeps its bytes.
  const size_t split = input.twoPart ? input.stream.size() * input.splitAt / 65536 : input.stream.size();
  const std::string intro = Mutated(input.stream.substr(0, split), seed / 3);
  if (intro.empty()) return LLVMFuzzerMutate(data, size, maxSize);
  input.stream = intro + input.stream.substr(split);
  if (input.twoPart) {
    input.splitAt = static_cast<uint16_t>(std::min<uint64_t>(
        65535, (uint64_t{intro.size()} * 65536 + input.stream.size() - 1) / input.stream.size()));
  }
  const std::string bytes = WriteFuzzInput(input);
  if (bytes.size() > maxSize) return LLVMFuzzerMutate(data, size, maxSize);
  std::memcpy(data, bytes.data(), bytes.size());
  return bytes.size();
}
