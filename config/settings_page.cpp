// The page pattern shared by the six pages.
#include "settings_page.h"

#include <commctrl.h>

LRESULT CSettingsPage::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    InitializeWindow(window);
    return OnInitPage();
  }
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == static_cast<UINT>(PSN_APPLY)) {
    *applied_ = 1;
    OnApply();
  }
  return CWinDialog::HandleMessage(window, message, wParam, lParam);
}
