// CMessageDlg, the fourth page ("MESSAGECONFIG"): the message font, text decoration and speed,
// voice and text effects, and the timings of automatic advance with live labels.
#pragma once

#include "message_settings.h"
#include "polled_slider.h"
#include "settings_page.h"
#include "win_list_box.h"

class CMessageDlg : public CSettingsPage {
 public:
  CMessageDlg(HINSTANCE instance, std::int32_t* applied);

  MessageSettings& Settings() { return settings_; }

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  void AttachControls(CWinMain& owner) override;

 protected:
  LRESULT OnInitPage() override;
  void OnApply() override;

 private:
  enum Slider { kTextSpeed, kBaseTime, kCharacterTime, kDecayTime, kSliderCount };

  void FillFontList();

  CWinListBox fontList_;
  PolledSlider sliders_[kSliderCount];
  MessageSettings settings_;
};
