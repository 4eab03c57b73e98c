// The key page's vocabulary: the twenty game functions and the names of the 124 input codes.
// An input code is the position of its name; code 0 means that nothing is assigned.
#pragma once

constexpr int kInputCodeCount = 124;

extern const char* const kKeyFunctionNames[20];
extern const char* const KeyInputNames[kInputCodeCount];
