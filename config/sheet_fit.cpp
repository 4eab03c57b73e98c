// Measuring the pages' font and growing the sheet, its tab control and its buttons.
#include "sheet_fit.h"

#include <commctrl.h>

#include <iterator>

namespace {

// The pages' size in pixels, from their font's dialog base units as the dialog manager computes
// them: average width of the 52 Latin letters, and the character height.
SIZE PagePixels(HWND sheet) {
  HDC context = GetDC(sheet);
  // The face by its own name, whatever the system's code page.
  HFONT font = CreateFontW(-MulDiv(10, GetDeviceCaps(context, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                           FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH, L"ＭＳ ゴシック");
  HGDIOBJ previous = SelectObject(context, font);
  TEXTMETRICW metrics;
  GetTextMetricsW(context, &metrics);
  SIZE letters;
  const wchar_t kLetters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
  GetTextExtentPoint32W(context, kLetters, static_cast<int>(std::size(kLetters)) - 1, &letters);
  SelectObject(context, previous);
  DeleteObject(font);
  ReleaseDC(sheet, context);
  const int baseX = (letters.cx / 26 + 1) / 2;
  const int baseY = metrics.tmHeight;
  return {MulDiv(kLargestPageUnits.cx, baseX, 4), MulDiv(kLargestPageUnits.cy, baseY, 8)};
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
