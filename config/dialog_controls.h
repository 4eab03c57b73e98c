// How the pages map settings values to their controls: a value to the button of a radio group
// and back, a flag to a check box and back.
#pragma once

#include <windows.h>

#include <cstdint>

// Radio buttons with consecutive ids; the value of a button is its position in the group.
struct RadioGroup {
  int firstId;
  int count;
};

// Checks the button of value; a value without a button leaves the group unchecked. Call it after
// greying out buttons of the group, so that Tab reaches the group whatever is checked.
void CheckRadioOfValue(HWND dialog, RadioGroup group, std::int32_t value);
// The value of the checked button; value is unchanged when none is checked.
void ReadRadioValue(HWND dialog, RadioGroup group, std::int32_t& value);

void SetCheckBox(HWND dialog, int id, std::int32_t flag);
std::int32_t CheckBoxValue(HWND dialog, int id);
