// The mouse and video page: two radio groups. AUTO_CLEAR 5 has no button and survives apply.
#include "mouse_page.h"

#include "dialog_controls.h"
#include "resource_ids.h"

namespace {

const RadioGroup kCursorHiding = {IDC_MOUSE_HIDE_NEVER, 5};
const RadioGroup kFrameControl = {IDC_VIDEO_FRAME_FREE, 3};

}  // namespace

CMouseDlg::CMouseDlg(HINSTANCE instance, std::int32_t* applied) : CSettingsPage(instance, IDD_MOUSE_PAGE, applied) {}

LRESULT CMouseDlg::OnInitPage() {
  CheckRadioOfValue(window_, kCursorHiding, settings_.AUTO_CLEAR);
  CheckRadioOfValue(window_, kFrameControl, settings_.FRAME_CTRL);
  return 1;
}

void CMouseDlg::OnApply() {
  ReadRadioValue(window_, kCursorHiding, settings_.AUTO_CLEAR);
  ReadRadioValue(window_, kFrameControl, settings_.FRAME_CTRL);
}
