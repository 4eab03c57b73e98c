// Moving between the sheet's pages from the keyboard, wherever the focus is: Ctrl+Tab and
// Ctrl+Page Down go to the next page, Ctrl+Shift+Tab and Ctrl+Page Up to the one before.
#pragma once

#include <windows.h>

// Windows' own modal sheet reads these keys in its message loop; Wine's does not. Both hand every
// message of a dialog to the thread's dialog message filter, so the program reads the keys there;
// where the platform's loop has taken them already, the filter never sees them.
class PageSwitchKeys {
 public:
  // Installs the filter on this thread until destruction.
  PageSwitchKeys();
  ~PageSwitchKeys();
  PageSwitchKeys(const PageSwitchKeys&) = delete;
  PageSwitchKeys& operator=(const PageSwitchKeys&) = delete;

  // The sheet the keys work on, from its creation on.
  static void SetSheet(HWND sheet);
};
