// CWinComboBox: a drop-down list of a dialog.
#pragma once

#include <string>

#include "win_control.h"

class CWinComboBox : public CWinControl {
 public:
  void AddString(const std::wstring& text) const { Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())); }
  void SetSelection(int index) const { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
  int Selection() const { return static_cast<int>(Send(CB_GETCURSEL)); }
};
