// Grows the property sheet so that its pages fit. The sheet sizes its page area in its own
// font's dialog units, while the pages are laid out in their template's font, 10-point
// "ＭＳ ゴシック", whose units are larger: without this the pages' right and bottom parts are cut
// off.
#pragma once

#include <windows.h>

// The largest page template, in dialog units.
constexpr SIZE kLargestPageUnits = {371, 189};

void FitSheetToPages(HWND sheet);
