// The most memory the process has held so far, in bytes.
#pragma once

#include <cstdint>

uint64_t PeakMemoryBytes();
