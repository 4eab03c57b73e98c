// The six pages as one modal property sheet.
#pragma once

#include <windows.h>

#include <array>

#include "page_proc.h"

class CWinDialog;

// Shows the sheet with the pages in tab order (system, graphic, sound, message, mouse and video,
// keys) and returns when the user closes it.
void ShowSettingsSheet(HINSTANCE instance, const std::array<CWinDialog*, kPageCount>& pagesInTabOrder);
