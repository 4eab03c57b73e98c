// How much memory this process can still take for its data.
#pragma once

#include <cstdint>

// The bytes left both in the process's address space (2 GiB for a 32-bit program, 4 GiB when it is
// large address aware on a 64-bit Windows) and in what the machine can commit.
uint64_t FreeMemory();
