// Centring a window over its parent.
#include "center_window.h"

#include "win_main.h"

void CenterWindow(HWND parent, CWinMain& object) {
  if (parent == nullptr) return;
  if (IsIconic(parent)) parent = GetDesktopWindow();
  CWinMain::Placement& placement = object.LastPlacement();
  GetWindowRect(parent, &placement.parent);
  GetWindowRect(object.Window(), &placement.own);
  placement.width = placement.own.right - placement.own.left;
  placement.height = placement.own.bottom - placement.own.top;
  const int parentWidth = placement.parent.right - placement.parent.left;
  const int parentHeight = placement.parent.bottom - placement.parent.top;
  placement.left = placement.parent.left + (parentWidth - placement.width) / 2;
  placement.top = placement.parent.top + (parentHeight - placement.height) / 2;
  MoveWindow(object.Window(), placement.left, placement.top, placement.width, placement.height, TRUE);
}
