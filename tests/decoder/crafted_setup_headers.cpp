// The crafted classes: books appended after the stream's own (which floors and residues keep
// using), or residues over an appended classbook in place of the stream's own.
#include "crafted_setup_headers.h"

#include <iterator>

#include "ogg_pages.h"
#include "setup_header_limits.h"

namespace {

constexpr uint32_t kMaxBooks = 256;

void Append(SetupHeader& header, const Codebook& book, size_t count = 1) {
  for (size_t i = 0; i < count && header.books.size() < kMaxBooks; ++i) header.books.push_back(book);
  header.declaredBooks = static_cast<uint32_t>(header.books.size());
}

void FillEverySlot(SetupHeader& header, const Codebook& book) { Append(header, book, kMaxBooks); }

// 64 residues, the most a header has, each building a decode map over one classbook's
// partitions^dimension classifications.
void ResiduesOver(SetupHeader& header, const Codebook& classBook, uint32_t partitions) {
  Append(header, classBook);
  header.rest = ResidueTail(64, static_cast<uint32_t>(header.books.size() - 1), partitions);
}

// A lattice book of 2^20 values: a value table of 4 MiB built from one stored value.
Codebook MebiValueLattice() { return CompleteBook(1 << 14, 64, 1); }

}  // namespace

const CraftedHeaderClass kCraftedHeaderClasses[] = {
    {"ABookOf2To17UsedEntries", [](SetupHeader& h) { Append(h, CompleteBook(1 << 17)); },
     CraftedOutcome::kRefused},
    {"ABookOf2To23EntriesOfDimension0", [](SetupHeader& h) { Append(h, CompleteBook(1 << 23, 0)); },
     CraftedOutcome::kRefused},
    {"EverySlotABookOf2To24Entries", [](SetupHeader& h) { FillEverySlot(h, CompleteBook((1 << 24) - 1, 0)); },
     CraftedOutcome::kRefused},
    {"EverySlotALatticeOf2To24Values", [](SetupHeader& h) { FillEverySlot(h, CompleteBook(4095, 4095, 1)); },
     CraftedOutcome::kRefused},
    {"AnExplicitTableOf2To21Values", [](SetupHeader& h) { Append(h, CompleteBook(1 << 14, 128, 2)); },
     CraftedOutcome::kRefused},
    {"AValueBookOfDimension0", [](SetupHeader& h) { Append(h, CompleteBook(16, 0, 1)); },
     CraftedOutcome::kRefused},
    {"ABookOneUsedEntryOverTheLimit",
     [](SetupHeader& h) { Append(h, CompleteBook(kMaxBookUsedEntries + 1)); }, CraftedOutcome::kRefused},
    {"ABookOneEntryOverTheLimit", [](SetupHeader& h) { Append(h, SparseBook(kMaxBookEntries + 1, 3)); },
     CraftedOutcome::kRefused},
    {"FiveLatticesOf2To20Values", [](SetupHeader& h) { Append(h, MebiValueLattice(), 5); },
     CraftedOutcome::kRefused},
    {"SixtyFourResiduesOver64000Classifications",
     [](SetupHeader& h) { ResiduesOver(h, SparseBook(64000, 2, 3), 40); }, CraftedOutcome::kRefused},
    {"ACountBeyondTheBooks",
     [](SetupHeader& h) { h.declaredBooks = static_cast<uint32_t>(h.books.size()) + 1; },
     CraftedOutcome::kRefused},
    {"ABookAtTheUsedEntryLimit", [](SetupHeader& h) { Append(h, CompleteBook(kMaxBookUsedEntries)); },
     CraftedOutcome::kPlays},
    {"ASparseBookAtTheEntryLimit", [](SetupHeader& h) { Append(h, SparseBook(kMaxBookEntries, 3)); },
     CraftedOutcome::kPlays},
    {"EverySlotASmallBook", [](SetupHeader& h) { FillEverySlot(h, CompleteBook(2)); },
     CraftedOutcome::kPlays},
    {"ThreeLatticesOf2To20Values", [](SetupHeader& h) { Append(h, MebiValueLattice(), 3); },
     CraftedOutcome::kPlays},
    {"SixtyFourResiduesOver4096Classifications",
     [](SetupHeader& h) { ResiduesOver(h, CompleteBook(4096, 2), 64); }, CraftedOutcome::kDefined},
};

const size_t kCraftedHeaderClassCount = std::size(kCraftedHeaderClasses);

std::string CraftStream(const std::string& stream, void (*craft)(SetupHeader& header)) {
  const std::vector<std::string> packets = HeaderPackets(stream);
  if (packets.size() != 3) return "";
  std::optional<SetupHeader> header = ParseSetupHeader(packets[2]);
  if (!header) return "";
  craft(*header);
  return WithHeaderPackets(stream, packets[1], WriteSetupHeader(*header));
}
