// PageProc: the dialog procedure the property sheet calls for a page. There is one per tab, each
// reading its page object from its own program-wide pointer.
#pragma once

#include <windows.h>

class CWinDialog;

constexpr int kPageCount = 6;

extern CWinDialog* pageObjects[kPageCount];

// Binds the window to the page on its first message, hands every message to the page and
// returns 0 whatever the page answered, so that the sheet keeps its own focus handling.
INT_PTR DispatchToPage(CWinDialog& page, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

template <int Tab>
INT_PTR CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DispatchToPage(*pageObjects[Tab], window, message, wParam, lParam);
}
