// SetupHeaderWithinLimits: a setup header read bit for bit as libvorbis 1.3.7 reads it
// (vorbis_staticbook_unpack, floor0_unpack, floor1_unpack, res0_unpack), over libogg's own bit
// reader so that both see the same fields, up to its last residue; what libvorbis will build for it
// added up as it goes.
#include "setup_header_limits.h"

#include <ogg/ogg.h>

#include <cstring>

namespace {

constexpr long kSetupPacketType = 5;
constexpr long kBookSync = 0x564342;
constexpr long kTimeTypes = 1;
constexpr long kFloorTypes = 2;
constexpr long kResidueTypes = 3;
constexpr long kMaxFloorPosts = 63;

// Heap bytes of libvorbis's tables on 32 bits, allocation overhead included: per book its fixed
// structures and fast-decode table, per declared entry its length, per used entry its codeword,
// index, length and sorting word, per stored or built value a word; per residue its lookup, and per
// classification its decode map of one word per dimension.
constexpr uint64_t kBookBytes = 1536;
constexpr uint64_t kUsedEntryBytes = 17;
constexpr uint64_t kValueBytes = 4;
constexpr uint64_t kResidueBytes = 8192;
constexpr uint64_t kClassificationBytes = 24;

int BitsFor(uint32_t value) {
  int bits = 0;
  for (; value; value >>= 1) ++bits;
  return bits;
}

int SetBits(long value) {
  int bits = 0;
  for (; value; value >>= 1) bits += value & 1;
  return bits;
}

// The largest v with v^dimension <= entries: the values a map-type-1 book stores
// (_book_maptype1_quantvals).
uint64_t LatticeValues(uint32_t entries, uint32_t dimension) {
  if (entries == 0) return 0;
  const auto fits = [&](uint64_t base) {
    uint64_t power = 1;
    for (uint32_t i = 0; i < dimension; ++i) {
      if ((power *= base) > entries) return false;
    }
    return true;
  };
  uint64_t values = 1;
  while (fits(values + 1)) ++values;
  return values;
}

struct BookShape {
  uint32_t entries;
  uint32_t dimension;
  bool hasValues;
};

class SetupWalk {
 public:
  SetupWalk(const unsigned char* packet, long bytes) {
    oggpack_readinit(&bits_, const_cast<unsigned char*>(packet), bytes);
  }

  bool IsSetupHeader() {
    if (Read(8) != kSetupPacketType) return false;
    char signature[6];
    for (char& byte : signature) byte = static_cast<char>(Read(8));
    return std::memcmp(signature, "vorbis", sizeof signature) == 0;
  }

  bool WithinLimits() {
    return Books() && Times() && Floors() && Residues() && tableBytes_ <= kMaxSetupTableBytes;
  }

 private:
  long Read(int bits) { return oggpack_read(&bits_, bits); }

  bool Books() {
    books_ = Read(8) + 1;
    if (books_ <= 0) return false;
    for (long book = 0; book < books_; ++book) {
      if (!Book(shapes_[book])) return false;
    }
    return true;
  }

  bool Book(BookShape& shape) {
    if (Read(24) != kBookSync) return false;
    const long dimension = Read(16);
    const long entries = Read(24);
    if (entries < 0 || BitsFor(dimension) + BitsFor(entries) > 24) return false;
    if (dimension < 1 || entries > long{kMaxBookEntries}) return false;
    shape = {static_cast<uint32_t>(entries), static_cast<uint32_t>(dimension), false};
    long used = 0;
    if (!Lengths(entries, used) || used > long{kMaxBookUsedEntries}) return false;
    tableBytes_ += kBookBytes + static_cast<uint64_t>(entries) + kUsedEntryBytes * used;
    return Values(shape, used);
  }

  bool Lengths(long entries, long& used) {
    switch (Read(1)) {
      case 0:
        return ListedLengths(entries, used);
      case 1:
        used = entries;
        return OrderedLengths(entries);
      default:
        return false;
    }
  }

  // One length of 5 bits per entry, each behind a used flag in a sparse book.
  bool ListedLengths(long entries, long& used) {
    const long sparse = Read(1);
    if (((entries * (sparse ? 1 : 5) + 7) >> 3) > bits_.storage - oggpack_bytes(&bits_)) return false;
    for (long entry = 0; entry < entries; ++entry) {
      if (sparse && Read(1) == 0) continue;
      if (Read(5) == -1) return false;
      ++used;
    }
    return true;
  }

  // Lengths ascending from a first one: for each length, how many entries have it.
  bool OrderedLengths(long entries) {
    long length = Read(5) + 1;
    if (length == 0) return false;
    for (long entry = 0; entry < entries; ++length) {
      const long count = Read(BitsFor(static_cast<uint32_t>(entries - entry)));
      if (count == -1) return false;
      if (length > 32 || count > entries - entry || (count > 0 && (count - 1) >> (length - 1) > 1))
        return false;
      entry += count;
    }
    return true;
  }

  // The stored values, skipped; the built value table of used entries x dimension, counted.
  bool Values(BookShape& shape, long used) {
    const long mapType = Read(4);
    if (mapType == 0) return true;
    if (mapType != 1 && mapType != 2) return false;
    Read(32);  // minimum
    Read(32);  // delta
    const long valueBits = Read(4) + 1;
    if (Read(1) == -1) return false;
    const uint64_t stored = mapType == 1 ? LatticeValues(shape.entries, shape.dimension)
                                         : uint64_t{shape.entries} * shape.dimension;
    if (static_cast<long>((stored * valueBits + 7) >> 3) > bits_.storage - oggpack_bytes(&bits_))
      return false;
    oggpack_adv(&bits_, static_cast<int>(stored * valueBits));
    shape.hasValues = true;
    tableBytes_ += kValueBytes * (stored + uint64_t(used) * shape.dimension);
    return true;
  }

  // A count of 6 bits, plus one, and as many entries, each a 16-bit type below `types` and its fields.
  template <typename Fields>
  bool TypedEntries(long types, Fields fields) {
    const long count = Read(6) + 1;
    if (count <= 0) return false;
    for (long entry = 0; entry < count; ++entry) {
      const long type = Read(16);
      if (type < 0 || type >= types || !fields(type)) return false;
    }
    return true;
  }

  // Time slots have a type and nothing else.
  bool Times() {
    return TypedEntries(kTimeTypes, [](long) { return true; });
  }

  bool Floors() {
    return TypedEntries(kFloorTypes, [this](long type) { return type == 0 ? LspFloor() : PiecewiseFloor(); });
  }

  bool IsBook(long book) const { return book >= 0 && book < books_; }
  bool IsValueBook(long book) const { return IsBook(book) && shapes_[book].hasValues; }

  bool LspFloor() {
    const long order = Read(8);
    const long rate = Read(16);
    const long barkMap = Read(16);
    Read(6);  // amplitude bits
    Read(8);  // amplitude offset
    const long books = Read(4) + 1;
    if (order < 1 || rate < 1 || barkMap < 1 || books < 1) return false;
    for (long i = 0; i < books; ++i) {
      if (!IsValueBook(Read(8))) return false;
    }
    return true;
  }

  bool PiecewiseFloor() {
    const long partitions = Read(5);
    long partitionClass[32];
    long classes = 0;
    for (long i = 0; i < partitions; ++i) {
      partitionClass[i] = Read(4);
      if (partitionClass[i] < 0) return false;
      if (partitionClass[i] >= classes) classes = partitionClass[i] + 1;
    }
    long classDimension[16];
    for (long i = 0; i < classes; ++i) {
      classDimension[i] = Read(3) + 1;
      const long subclassBits = Read(2);
      if (subclassBits < 0) return false;
      if (subclassBits && !IsBook(Read(8))) return false;
      for (long sub = 0; sub < 1L << subclassBits; ++sub) {
        const long book = Read(8) - 1;
        if (book < -1 || book >= books_) return false;
      }
    }
    Read(2);  // multiplier
    const long rangeBits = Read(4);
    if (rangeBits < 0) return false;
    long posts = 0;
    for (long i = 0; i < partitions; ++i) {
      posts += classDimension[partitionClass[i]];
      if (posts > kMaxFloorPosts) return false;
      for (long post = 0; post < classDimension[partitionClass[i]]; ++post) {
        if (Read(static_cast<int>(rangeBits)) < 0) return false;
      }
    }
    return true;
  }

  bool Residues() {
    return TypedEntries(kResidueTypes, [this](long) { return Residue(); });
  }

  // Every residue builds a decode map over its classbook's classifications, partitions^dimension
  // of them, each a word per dimension.
  bool Residue() {
    Read(24);  // begin
    Read(24);  // end
    Read(24);  // grouping
    const long partitions = Read(6) + 1;
    const long classBook = Read(8);
    if (classBook < 0) return false;
    long stageBooks = 0;
    for (long i = 0; i < partitions; ++i) {
      long cascade = Read(3);
      const long more = Read(1);
      if (more < 0) return false;
      if (more) {
        const long high = Read(5);
        if (high < 0) return false;
        cascade |= high << 3;
      }
      stageBooks += SetBits(cascade);
    }
    for (long i = 0; i < stageBooks; ++i) {
      if (!IsValueBook(Read(8))) return false;
    }
    if (!IsBook(classBook)) return false;
    const BookShape& classes = shapes_[classBook];
    uint64_t classifications = 1;
    for (uint32_t i = 0; i < classes.dimension; ++i) {
      if ((classifications *= static_cast<uint64_t>(partitions)) > classes.entries) return false;
    }
    tableBytes_ += kResidueBytes + classifications * (kClassificationBytes + kValueBytes * classes.dimension);
    return true;
  }

  oggpack_buffer bits_;
  long books_ = 0;
  BookShape shapes_[256] = {};
  uint64_t tableBytes_ = 0;
};

}  // namespace

bool SetupHeaderWithinLimits(const unsigned char* packet, long bytes) {
  SetupWalk walk(packet, bytes);
  return !walk.IsSetupHeader() || walk.WithinLimits();
}
