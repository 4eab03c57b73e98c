// CWinSliderCtrl: a trackbar of a dialog.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "win_control.h"

class CWinSliderCtrl : public CWinControl {
 public:
  // Whole steps from 0 to highest, a tick at every position, arrow keys one step, page two.
  void SetUp(int highest, int position) const;
  int Position() const { return static_cast<int>(Send(TBM_GETPOS)); }
};
