// CSettingsPage: the pattern of the six property pages. A page fills its controls from its
// settings group when it is first shown and writes them back when the sheet applies (OK).
#pragma once

#include <cstdint>

#include "win_dialog.h"

class CSettingsPage : public CWinDialog {
 public:
  // WM_INITDIALOG runs the common prologue and OnInitPage; PSN_APPLY sets the shared applied flag
  // and runs OnApply; everything else goes to the default dialog handler.
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

 protected:
  CSettingsPage(HINSTANCE instance, int templateNumber, std::int32_t* applied)
      : CWinDialog(instance, templateNumber), applied_(applied) {}
  ~CSettingsPage() = default;

  virtual LRESULT OnInitPage() = 0;
  virtual void OnApply() = 0;

 private:
  std::int32_t* applied_;
};
