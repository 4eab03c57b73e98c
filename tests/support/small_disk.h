// Tests on the small disk CTest mounts around a test program (see uses_small_disk), for saves onto
// a disk that runs full.
#pragma once

#include <windows.h>

#include <string>

#include <gtest/gtest.h>

constexpr DWORD kDiskPage = 4096;

// A test with a game folder on the small disk; skipped when no small disk is mounted.
class SmallDiskTest : public testing::Test {
 protected:
  void SetUp() override;
  // Empties the game folder and gives the room back.
  void TearDown() override;
  // Fills the disk up to its last page, then gives back free bytes, until the test ends.
  void FillDisk(DWORD free) const;

  std::string disk_;
  std::string folder_;  // ends in a backslash
};
