// Routing a page window's messages to its page object.
#include "page_proc.h"

#include "control_binding.h"
#include "win_dialog.h"

CWinDialog* pageObjects[kPageCount] = {};

INT_PTR DispatchToPage(CWinDialog& page, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (BindingOf(window) == nullptr) BindWindow(window, &page, nullptr);
  page.SetWindow(window);
  page.HandleMessage(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) ReleaseBinding(window);
  return 0;
}
