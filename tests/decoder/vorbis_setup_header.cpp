// ParseSetupHeader and WriteSetupHeader over libogg's bit packer, in the layout of the Vorbis I
// codebook; the book builders.
#include "vorbis_setup_header.h"

#include <ogg/ogg.h>

#include <cmath>

namespace {

constexpr long kSetupPacketType = 5;
constexpr long kBookSync = 0x564342;

int BitWidth(uint64_t value) {
  int bits = 0;
  for (; value; value >>= 1) ++bits;
  return bits;
}

class BitReader {
 public:
  explicit BitReader(const std::string& bytes) {
    oggpack_readinit(&bits_, reinterpret_cast<unsigned char*>(const_cast<char*>(bytes.data())),
                     static_cast<long>(bytes.size()));
  }
  // Marks the reader failed when the packet ends first. Read in halves: where long has 32 bits, a
  // whole 32-bit field would not tell its value from the failure.
  uint32_t Read(int bits) {
    if (bits > 16) {
      const uint32_t low = Read(16);
      return low | Read(bits - 16) << 16;
    }
    const long value = bits ? oggpack_read(&bits_, bits) : 0;
    failed_ = failed_ || value < 0;
    return static_cast<uint32_t>(value);
  }
  void Fail() { failed_ = true; }
  bool Failed() const { return failed_; }
  long BitsLeft() { return bits_.storage * 8 - oggpack_bits(&bits_); }

 private:
  oggpack_buffer bits_;
  bool failed_ = false;
};

class BitWriter {
 public:
  BitWriter() { oggpack_writeinit(&bits_); }
  ~BitWriter() { oggpack_writeclear(&bits_); }
  BitWriter(const BitWriter&) = delete;
  BitWriter& operator=(const BitWriter&) = delete;

  void Write(uint32_t value, int bits) {
    if (bits) oggpack_write(&bits_, value, bits);
  }
  std::string Bytes() {
    return std::string(reinterpret_cast<const char*>(oggpack_get_buffer(&bits_)), oggpack_bytes(&bits_));
  }

 private:
  oggpack_buffer bits_;
};

void ReadLengths(BitReader& reader, Codebook& book) {
  book.ordered = reader.Read(1) == 1;
  if (book.ordered) {
    book.firstLength = reader.Read(5) + 1;
    for (uint32_t entry = 0; entry < book.entries && !reader.Failed();) {
      const uint32_t count = reader.Read(BitWidth(book.entries - entry));
      // Past length 32, or past the entries: no book libvorbis would read.
      if (book.firstLength + book.lengthCounts.size() > 32 || count > book.entries - entry) reader.Fail();
      book.lengthCounts.push_back(count);
      entry += count;
    }
    return;
  }
  book.sparse = reader.Read(1) == 1;
  for (uint32_t entry = 0; entry < book.entries && !reader.Failed(); ++entry) {
    const bool used = !book.sparse || reader.Read(1) == 1;
    book.lengths.push_back(used ? static_cast<uint8_t>(reader.Read(5) + 1) : 0);
  }
}

void ReadValues(BitReader& reader, Codebook& book) {
  book.mapType = reader.Read(4);
  if (book.mapType != 1 && book.mapType != 2) return;
  book.minimum = reader.Read(32);
  book.delta = reader.Read(32);
  book.valueBits = reader.Read(4) + 1;
  book.sequence = reader.Read(1) == 1;
  const uint64_t count = book.mapType == 1 ? LatticeValues(book.entries, book.dimension)
                                           : uint64_t{book.entries} * book.dimension;
  if (count * book.valueBits > static_cast<uint64_t>(reader.BitsLeft())) return reader.Fail();
  for (uint64_t i = 0; i < count; ++i) book.values.push_back(reader.Read(static_cast<int>(book.valueBits)));
}

std::optional<Codebook> ReadBook(BitReader& reader) {
  if (reader.Read(24) != kBookSync) return std::nullopt;
  Codebook book;
  book.dimension = reader.Read(16);
  book.entries = reader.Read(24);
  ReadLengths(reader, book);
  ReadValues(reader, book);
  if (reader.Failed() || (book.mapType != 0 && book.mapType != 1 && book.mapType != 2)) return std::nullopt;
  return book;
}

void WriteBook(BitWriter& writer, const Codebook& book) {
  writer.Write(kBookSync, 24);
  writer.Write(book.dimension, 16);
  writer.Write(book.entries, 24);
  writer.Write(book.ordered, 1);
  if (book.ordered) {
    writer.Write(book.firstLength - 1, 5);
    uint32_t entry = 0;
    for (uint32_t count : book.lengthCounts) {
      if (entry >= book.entries) break;
      writer.Write(count, BitWidth(book.entries - entry));
      entry += count;
    }
  } else {
    writer.Write(book.sparse, 1);
    for (uint8_t length : book.lengths) {
      if (book.sparse) writer.Write(length != 0, 1);
      if (length != 0 || !book.sparse) writer.Write(length - 1u, 5);
    }
  }
  writer.Write(book.mapType, 4);
  if (book.mapType != 1 && book.mapType != 2) return;
  writer.Write(book.minimum, 32);
  writer.Write(book.delta, 32);
  writer.Write(book.valueBits - 1, 4);
  writer.Write(book.sequence, 1);
  for (uint32_t value : book.values) writer.Write(value, static_cast<int>(book.valueBits));
}

// Codeword lengths of a complete tree over n entries, ascending: 2^(k+1) - n of length k and
// 2(n - 2^k) of length k + 1, where 2^k <= n < 2^(k+1). One entry has the single codeword of length 1.
void SetCompleteLengths(uint32_t n, uint32_t& firstLength, std::vector<uint32_t>& counts) {
  if (n <= 1) {
    firstLength = 1;
    counts.assign(n, 1);
    return;
  }
  const int k = BitWidth(n) - 1;
  firstLength = static_cast<uint32_t>(k);
  const uint32_t shorter = (2u << k) - n;
  counts = {shorter};
  if (shorter != n) counts.push_back(2 * (n - (1u << k)));
}

void SetZeroValues(Codebook& book) {
  if (book.mapType == 1) book.values.assign(LatticeValues(book.entries, book.dimension), 0);
  if (book.mapType == 2) book.values.assign(uint64_t{book.entries} * book.dimension, 0);
}

}  // namespace

std::optional<SetupHeader> ParseSetupHeader(const std::string& packet) {
  BitReader reader(packet);
  if (reader.Read(8) != kSetupPacketType) return std::nullopt;
  for (char expected : std::string("vorbis")) {
    if (reader.Read(8) != static_cast<unsigned char>(expected)) return std::nullopt;
  }
  SetupHeader header;
  header.declaredBooks = reader.Read(8) + 1;
  for (uint32_t i = 0; i < header.declaredBooks; ++i) {
    std::optional<Codebook> book = ReadBook(reader);
    if (!book) return std::nullopt;
    header.books.push_back(std::move(*book));
  }
  while (reader.BitsLeft() > 0) header.rest.push_back(reader.Read(1) == 1);
  return header;
}

std::string WriteSetupHeader(const SetupHeader& header) {
  BitWriter writer;
  writer.Write(kSetupPacketType, 8);
  for (char byte : std::string("vorbis")) writer.Write(static_cast<unsigned char>(byte), 8);
  writer.Write(header.declaredBooks - 1, 8);
  for (const Codebook& book : header.books) WriteBook(writer, book);
  for (bool bit : header.rest) writer.Write(bit, 1);
  return writer.Bytes();
}

Codebook CompleteBook(uint32_t entries, uint32_t dimension, uint32_t mapType) {
  Codebook book;
  book.entries = entries;
  book.dimension = dimension;
  book.mapType = mapType;
  SetCompleteLengths(entries, book.firstLength, book.lengthCounts);
  SetZeroValues(book);
  return book;
}

Codebook SparseBook(uint32_t entries, uint32_t used, uint32_t dimension, uint32_t mapType) {
  Codebook book;
  book.entries = entries;
  book.dimension = dimension;
  book.mapType = mapType;
  book.ordered = false;
  book.sparse = true;
  uint32_t firstLength = 1;
  std::vector<uint32_t> counts;
  SetCompleteLengths(used, firstLength, counts);
  for (size_t i = 0; i < counts.size(); ++i)
    book.lengths.insert(book.lengths.end(), counts[i], firstLength + i);
  book.lengths.resize(entries, 0);
  SetZeroValues(book);
  return book;
}

std::vector<bool> ResidueTail(uint32_t residues, uint32_t classBook, uint32_t partitions) {
  std::vector<bool> bits;
  const auto put = [&bits](uint32_t value, int width) {
    for (int i = 0; i < width; ++i) bits.push_back((value >> i) & 1);
  };
  put(0, 6);   // one time slot
  put(0, 16);  // of type 0
  put(0, 6);   // one floor
  put(1, 16);  // of type 1
  put(0, 5);   // without partitions
  put(0, 2);   // multiplier 1
  put(1, 4);   // range bits: posts 0 and 2
  put(residues - 1, 6);
  for (uint32_t residue = 0; residue < residues; ++residue) {
    put(2, 16);   // type 2
    put(0, 24);   // begin
    put(64, 24);  // end
    put(31, 24);  // grouping 32
    put(partitions - 1, 6);
    put(classBook, 8);
    for (uint32_t i = 0; i < partitions; ++i) put(0, 4);  // no stage books
  }
  put(0, 6);   // one mapping
  put(0, 16);  // of type 0
  put(0, 1);   // one submap
  put(0, 1);   // no coupling
  put(0, 2);   // reserved
  put(0, 24);  // submap 0: time 0, floor 0, residue 0
  put(0, 6);   // one mode
  put(0, 1);   // short blocks
  put(0, 32);  // window and transform 0
  put(0, 8);   // mapping 0
  put(1, 1);   // framing
  return bits;
}

uint32_t LatticeValues(uint32_t entries, uint32_t dimension) {
  if (entries == 0 || dimension == 0) return 0;
  // A first guess in floating point, made exact: v^dimension <= entries < (v + 1)^dimension.
  auto value = static_cast<uint32_t>(std::floor(std::pow(static_cast<double>(entries), 1.0 / dimension)));
  const auto exceeds = [&](uint64_t base) {
    uint64_t power = 1;
    for (uint32_t i = 0; i < dimension; ++i) {
      if ((power *= base) > entries) return true;
    }
    return false;
  };
  while (value > 1 && exceeds(value)) --value;
  while (!exceeds(value + 1)) ++value;
  return value;
}
