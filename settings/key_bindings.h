// The key page's group of settings: five input codes for each of twenty functions, the game's
// default bindings, and whether the engine reads a joypad.
#pragma once

#include <cstdint>

constexpr int kFunctionCount = 20;
constexpr int kSlotCount = 5;
constexpr std::uint16_t kHighestInputCode = 123;

using KeyTable = std::uint16_t[kFunctionCount][kSlotCount];

struct KeyBindings {
  KeyTable current = {};
  std::int32_t JOYPAD_USE = 0;
  KeyTable defaults = {};  // read from the file, never written back
};
