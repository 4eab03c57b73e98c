// Passing messages on to a subclassed control's own procedure.
#include "win_control.h"

#include "control_binding.h"

LRESULT CWinControl::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const ControlBinding* binding = BindingOf(window);
  if (binding == nullptr || binding->previousProcedure == nullptr)
    return DefWindowProcW(window, message, wParam, lParam);
  return CallWindowProcW(binding->previousProcedure, window, message, wParam, lParam);
}

CWinControl::~CWinControl() { ReleaseBindingOf(*this); }
