// What a Vorbis setup header may make libvorbis build before it is allowed to, and the walk that
// checks a header against it.
#pragma once

#include <cstdint>

// libvorbis 1.3.7 builds every codebook of a setup header when synthesis starts, used or not, and a
// decode map for every residue: two arrays of 8 bytes per used entry of a book on the caller's stack
// (a game thread has 1 MiB), and tables on the heap, several of them unchecked, in proportion to the
// books' entries and dimensions and to each residue's classbook. The format allows 256 books of up
// to 2^24 entries and 64 residues: gigabytes and seconds from a few kilobytes of header.
//
// The reference encoder, at every quality from -1 to 10, 8 to 96 kHz, 1, 2 and 6 channels, writes at
// most 3,125 used and 6,561 declared entries in one book and needs under 1 MiB of these tables;
// mono and stereo streams at most 625 used entries.
constexpr uint32_t kMaxBookUsedEntries = 16384;  // 128 KiB of the caller's stack
constexpr uint32_t kMaxBookEntries = 65536;      // declared, used or not
constexpr uint64_t kMaxSetupTableBytes = 16u << 20;

// True unless the packet is a Vorbis setup header that breaks the limits above, has a codebook of
// dimension 0 (a value book of dimension 0 never finishes building), or cannot be read the way
// libvorbis reads it up to its residues (libvorbis would refuse the header too). Reads the packet
// only; the time it takes grows with the packet's size alone.
bool SetupHeaderWithinLimits(const unsigned char* packet, long bytes);
