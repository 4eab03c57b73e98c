// Measuring the pages' font and growing the sheet, its tab control and its buttons.
#include "sheet_fit.h"

#include <commctrl.h>

namespace {

INT_PTR CALLBACK IgnoreMessages(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The pages' size in pixels, in the dialog units of a page as the platform lays it out: a page is
// created hidden to be measured. So the page font counts as the platform resolves it, by its own
// name and at the display's scaling, also where the face is missing and another one stands in.
SIZE PagePixels(HWND sheet) {
  RECT area = {0, 0, kLargestPageUnits.cx, kLargestPageUnits.cy};
  HWND page = CreateDialogParamW(GetModuleHandleW(nullptr), L"SYSTEMCONFIG", sheet, IgnoreMessages, 0);
  if (page == nullptr) return {0, 0};
  MapDialogRect(page, &area);
  DestroyWindow(page);
  return {area.right, area.bottom};
}

void Grow(HWND window, int dx, int dy) {
  RECT area;
  GetWindowRect(window, &area);
  SetWindowPos(window, nullptr, 0, 0, area.right - area.left + dx, area.bottom - area.top + dy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Move(HWND sheet, HWND child, int dx, int dy) {
  RECT area;
  GetWindowRect(child, &area);
  MapWindowPoints(nullptr, sheet, reinterpret_cast<POINT*>(&area), 2);
  SetWindowPos(child, nullptr, area.left + dx, area.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CALLBACK MoveButton(HWND child, LPARAM offset) {
  wchar_t className[16];
  GetClassNameW(child, className, 16);
  if (lstrcmpiW(className, L"Button") == 0) {
    const auto* delta = reinterpret_cast<const POINT*>(offset);
    Move(GetParent(child), child, delta->x, delta->y);
  }
  return TRUE;
}

}  // namespace

void FitSheetToPages(HWND sheet) {
  HWND tab = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
  if (tab == nullptr) return;
  RECT display;
  GetClientRect(tab, &display);
  TabCtrl_AdjustRect(tab, FALSE, &display);
  const SIZE needed = PagePixels(sheet);
  const int dx = needed.cx - (display.right - display.left);
  const int dy = needed.cy - (display.bottom - display.top);
  if (dx <= 0 && dy <= 0) return;
  POINT delta = {dx > 0 ? dx : 0, dy > 0 ? dy : 0};
  EnumChildWindows(sheet, MoveButton, reinterpret_cast<LPARAM>(&delta));
  Grow(tab, delta.x, delta.y);
  Grow(sheet, delta.x, delta.y);
}
