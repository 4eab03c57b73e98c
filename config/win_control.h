// CWinControl: the part every control wrapper shares: the control's own procedure gets every
// message, and the binding goes when the wrapper goes. Controls are spoken to in UTF-16, so that
// no text passes through the system's code page.
#pragma once

#include "win_main.h"

class CWinControl : public CWinMain {
 public:
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendMessageW(window_, message, wParam, lParam);
  }

 protected:
  CWinControl() = default;
  ~CWinControl();
};
