// The process's memory: the most it has held so far, and what its allocations take now.
#pragma once

#include <cstdint>

uint64_t PeakMemoryBytes();
// The private memory committed on Windows; the bytes the C heap has handed out on the host.
uint64_t MemoryInUseBytes();
