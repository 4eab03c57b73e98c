// CSystemDlg, the first page ("SYSTEMCONFIG"): window mode, confirmations, timing, effects, the
// image cache size, pack-file checks and two special switches.
#pragma once

#include "settings_page.h"
#include "system_settings.h"
#include "win_combo_box.h"

class CSystemDlg : public CSettingsPage {
 public:
  CSystemDlg(HINSTANCE instance, std::int32_t* applied);

  SystemSettings& Settings() { return settings_; }

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  void AttachControls(CWinMain& owner) override;

 protected:
  LRESULT OnInitPage() override;
  void OnApply() override;

 private:
  CWinComboBox cacheList_;
  SystemSettings settings_;
  // What the user last chose in the cache list; follows the list through its notifications only.
  std::int32_t cacheSelection_ = 0;
};
