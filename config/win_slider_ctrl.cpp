// Setting up a trackbar.
#include "win_slider_ctrl.h"

#include <commctrl.h>

void CWinSliderCtrl::SetUp(int highest, int position) const {
  Send(TBM_SETTICFREQ, 1);
  Send(TBM_SETRANGE, TRUE, MAKELPARAM(0, highest));
  Send(TBM_SETLINESIZE, 0, 1);
  Send(TBM_SETPAGESIZE, 0, 2);
  Send(TBM_SETPOS, TRUE, position);
}
