// CSoundDlg, the third page ("SOUNDCONFIG"): sound output, playback switches, five volumes and
// the music fade while a voice plays, with live labels polled on a 50 ms timer.
#pragma once

#include "polled_slider.h"
#include "settings_page.h"
#include "sound_settings.h"

class CSoundDlg : public CSettingsPage {
 public:
  CSoundDlg(HINSTANCE instance, std::int32_t* applied);

  SoundSettings& Settings() { return settings_; }

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  void AttachControls(CWinMain& owner) override;

 protected:
  LRESULT OnInitPage() override;
  void OnApply() override;

 private:
  static constexpr int kSliderCount = 8;

  PolledSlider sliders_[kSliderCount];
  SoundSettings settings_;
};
