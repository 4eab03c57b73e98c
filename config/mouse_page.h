// CMouseDlg, the fifth page ("MOUSECONFIG"): when the mouse cursor hides itself and how videos
// are paced.
#pragma once

#include "mouse_video_settings.h"
#include "settings_page.h"

class CMouseDlg : public CSettingsPage {
 public:
  CMouseDlg(HINSTANCE instance, std::int32_t* applied);

  MouseVideoSettings& Settings() { return settings_; }

 protected:
  LRESULT OnInitPage() override;
  void OnApply() override;

 private:
  MouseVideoSettings settings_;
};
