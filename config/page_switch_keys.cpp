// The dialog message filter that moves between the sheet's pages.
#include "page_switch_keys.h"

#include <commctrl.h>

namespace {

HHOOK filter = nullptr;
HWND sheetWindow = nullptr;

bool IsDown(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

// +1 for the next page, -1 for the one before, 0 for any other message.
int PageStep(const MSG& message) {
  if (message.message != WM_KEYDOWN || !IsDown(VK_CONTROL)) return 0;
  switch (message.wParam) {
    case VK_TAB:
      return IsDown(VK_SHIFT) ? -1 : 1;
    case VK_NEXT:
      return 1;
    case VK_PRIOR:
      return -1;
    default:
      return 0;
  }
}

bool InSheet(HWND window) { return sheetWindow != nullptr && (window == sheetWindow || IsChild(sheetWindow, window)); }

LRESULT CALLBACK FilterDialogMessage(int code, WPARAM wParam, LPARAM lParam) {
  auto* message = reinterpret_cast<MSG*>(lParam);
  if (code == MSGF_DIALOGBOX && InSheet(message->hwnd)) {
    const int step = PageStep(*message);
    // A control that takes every key, such as an open drop-down list, keeps them.
    const bool taken =
        step != 0 && (SendMessageW(message->hwnd, WM_GETDLGCODE, message->wParam, lParam) & DLGC_WANTMESSAGE);
    if (step != 0 && !taken) {
      HWND tabs = PropSheet_GetTabControl(sheetWindow);
      const int count = TabCtrl_GetItemCount(tabs);
      PropSheet_SetCurSel(sheetWindow, nullptr, (TabCtrl_GetCurSel(tabs) + step + count) % count);
      // The focus would stay on a control of the page just hidden; it goes to the tabs, as after
      // a click on one.
      if (!IsWindowVisible(GetFocus())) SendMessageW(sheetWindow, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(tabs), TRUE);
      return 1;
    }
  }
  return CallNextHookEx(filter, code, wParam, lParam);
}

}  // namespace

PageSwitchKeys::PageSwitchKeys() {
  filter = SetWindowsHookExW(WH_MSGFILTER, FilterDialogMessage, nullptr, GetCurrentThreadId());
}

PageSwitchKeys::~PageSwitchKeys() {
  if (filter != nullptr) UnhookWindowsHookEx(filter);
  filter = nullptr;
  sheetWindow = nullptr;
}

void PageSwitchKeys::SetSheet(HWND sheet) { sheetWindow = sheet; }
