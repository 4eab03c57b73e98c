// The system page: check boxes, two radio groups and the cache size list.
#include "system_page.h"

#include "control_binding.h"
#include "dialog_controls.h"
#include "resource_ids.h"
#include "shift_jis.h"

namespace {

const RadioGroup kWindowMode = {IDC_SYSTEM_WINDOWED, 2};
const RadioGroup kWaitTiming = {IDC_SYSTEM_TIME_SYNC, 2};
const char* const kCacheSizes[] = {"キャッシュ無効", "8Mバイト", "16Mバイト", "32Mバイト", "64Mバイト", "128Mバイト"};

}  // namespace

CSystemDlg::CSystemDlg(HINSTANCE instance, std::int32_t* applied)
    : CSettingsPage(instance, IDD_SYSTEM_PAGE, applied) {}

LRESULT CSystemDlg::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDC_SYSTEM_CACHE_SIZE && HIWORD(wParam) == CBN_SELCHANGE) {
    cacheSelection_ = cacheList_.Selection();
  }
  return CSettingsPage::HandleMessage(window, message, wParam, lParam);
}

void CSystemDlg::AttachControls(CWinMain&) { AttachControl(IDC_SYSTEM_CACHE_SIZE, cacheList_, *this); }

LRESULT CSystemDlg::OnInitPage() {
  SetCheckBox(window_, IDC_SYSTEM_OUTSIDE_MESSAGE_WINDOW, settings_.WINDOW_FULL_MOVE_USE);
  SetCheckBox(window_, IDC_SYSTEM_PACK_HEADER_CHECK, settings_.PACK_HEADER_CHECK);
  SetCheckBox(window_, IDC_SYSTEM_PACK_DATA_CHECK, settings_.PACK_DATA_CHECK);
  SetCheckBox(window_, IDC_SYSTEM_CONFIRM_LOAD, settings_.DLG_LOAD);
  SetCheckBox(window_, IDC_SYSTEM_CONFIRM_OVERWRITE, settings_.DLG_SAVE);
  CheckRadioOfValue(window_, kWindowMode, settings_.WINDOW_MODE);
  CheckRadioOfValue(window_, kWaitTiming, settings_.WAIT_TIMING);
  SetCheckBox(window_, IDC_SYSTEM_ALL_EFFECTS, settings_.EFFECT_USE);
  SetCheckBox(window_, IDC_SYSTEM_RUN_INACTIVE, settings_.ACTIVE_DRAW);
  SetCheckBox(window_, IDC_SYSTEM_PERFORMANCE_TIMER, settings_.PERFORMANCE_TIMER);
  SetCheckBox(window_, IDC_SYSTEM_ONE_CPU, settings_.ONE_CPU);
  for (const char* size : kCacheSizes) cacheList_.AddString(WideFromShiftJis(size));
  cacheList_.SetSelection(settings_.IMAGE_CACHE_SIZE);
  cacheSelection_ = settings_.IMAGE_CACHE_SIZE;
  return 1;
}

void CSystemDlg::OnApply() {
  settings_.WINDOW_FULL_MOVE_USE = CheckBoxValue(window_, IDC_SYSTEM_OUTSIDE_MESSAGE_WINDOW);
  settings_.PACK_HEADER_CHECK = CheckBoxValue(window_, IDC_SYSTEM_PACK_HEADER_CHECK);
  settings_.PACK_DATA_CHECK = CheckBoxValue(window_, IDC_SYSTEM_PACK_DATA_CHECK);
  settings_.DLG_LOAD = CheckBoxValue(window_, IDC_SYSTEM_CONFIRM_LOAD);
  settings_.DLG_SAVE = CheckBoxValue(window_, IDC_SYSTEM_CONFIRM_OVERWRITE);
  ReadRadioValue(window_, kWindowMode, settings_.WINDOW_MODE);
  ReadRadioValue(window_, kWaitTiming, settings_.WAIT_TIMING);
  settings_.EFFECT_USE = CheckBoxValue(window_, IDC_SYSTEM_ALL_EFFECTS);
  settings_.ACTIVE_DRAW = CheckBoxValue(window_, IDC_SYSTEM_RUN_INACTIVE);
  settings_.PERFORMANCE_TIMER = CheckBoxValue(window_, IDC_SYSTEM_PERFORMANCE_TIMER);
  settings_.ONE_CPU = CheckBoxValue(window_, IDC_SYSTEM_ONE_CPU);
  settings_.IMAGE_CACHE_SIZE = cacheSelection_;
}
