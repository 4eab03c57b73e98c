// Setup headers crafted against libvorbis: the classes of codebooks and residues that exhaust a game
// thread's stack, the 32-bit address space or time, and the largest of each that stays within the
// decoder's limits. The corpus test plays them; the fuzzer starts from them.
#pragma once

#include <string>

#include "vorbis_setup_header.h"

enum class CraftedOutcome {
  kRefused,  // beyond the limits: detection fails, the probe keeps the default format
  kPlays,    // within them, books no one uses: the stream plays sample for sample as before
  kDefined,  // within them, the stream's own residues replaced: defined results only
};

struct CraftedHeaderClass {
  const char* name;
  void (*craft)(SetupHeader& header);
  CraftedOutcome outcome;
};

extern const CraftedHeaderClass kCraftedHeaderClasses[];
extern const size_t kCraftedHeaderClassCount;

// The stream with its setup header crafted and its pages framed anew; empty when the stream's
// headers cannot be taken apart.
std::string CraftStream(const std::string& stream, void (*craft)(SetupHeader& header));
