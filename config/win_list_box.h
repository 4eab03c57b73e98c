// CWinListBox: a list box of a dialog that also selects an item on a right click.
#pragma once

#include <string>

#include "win_control.h"

class CWinListBox : public CWinControl {
 public:
  // The notification posted to the dialog when a right click selected an item.
  static constexpr WORD kRightClickSelection = 10;

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

  void AddString(const std::wstring& text) const { Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())); }
  void Clear() const { Send(LB_RESETCONTENT); }
  void SetSelection(int index) const { Send(LB_SETCURSEL, static_cast<WPARAM>(index)); }
  int Selection() const { return static_cast<int>(Send(LB_GETCURSEL)); }
  // The selected item's text; empty when nothing is selected.
  std::wstring SelectedText() const;
  DWORD LastRightClickHit() const { return rightClickHit_; }

  ~CWinListBox();

 private:
  void SelectOnRightClick(LPARAM position);

  DWORD rightClickHit_ = 0;
};
