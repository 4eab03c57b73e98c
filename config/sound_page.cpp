// The sound page. Sliders work on the held units; the settings file converts them.
#include "sound_page.h"

#include "dialog_controls.h"
#include "format_text.h"
#include "resource_ids.h"

namespace {

const RadioGroup kQuality = {IDC_SOUND_QUALITY_STANDARD, 2};
const RadioGroup kBuffer = {IDC_SOUND_BUFFER_SMALLEST, 4};
constexpr UINT_PTR kTimerId = 2;
constexpr UINT kPollPeriodMs = 50;
constexpr int kVolumeSteps = 16;

// " 100%": the fade volume in steps of 5 %, right-aligned in four characters.
void WritePercentLabel(char* text, std::size_t size, int position) {
  FormatText(text, size, "%d4%c", position * 5, '%');
}

// " 500ms": the fade times in steps of 100 ms.
void WriteMillisecondLabel(char* text, std::size_t size, int position) {
  FormatText(text, size, "%d4ms", position * 100);
}

}  // namespace

CSoundDlg::CSoundDlg(HINSTANCE instance, std::int32_t* applied)
    : CSettingsPage(instance, IDD_SOUND_PAGE, applied),
      sliders_{{IDC_SOUND_MASTER_VOLUME, kVolumeSteps},
               {IDC_SOUND_MUSIC_VOLUME, kVolumeSteps},
               {IDC_SOUND_EFFECTS_VOLUME, kVolumeSteps},
               {IDC_SOUND_VOICE_VOLUME, kVolumeSteps},
               {IDC_SOUND_VIDEO_VOLUME, kVolumeSteps},
               {IDC_SOUND_FADE_VOLUME, 20, IDC_SOUND_FADE_VOLUME_LABEL, WritePercentLabel},
               {IDC_SOUND_FADE_TIME, 20, IDC_SOUND_FADE_TIME_LABEL, WriteMillisecondLabel},
               {IDC_SOUND_FADE_WAIT, 30, IDC_SOUND_FADE_WAIT_LABEL, WriteMillisecondLabel}} {}

LRESULT CSoundDlg::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) {
    for (PolledSlider& slider : sliders_) slider.Poll();
    return 0;
  }
  return CSettingsPage::HandleMessage(window, message, wParam, lParam);
}

void CSoundDlg::AttachControls(CWinMain&) {
  for (PolledSlider& slider : sliders_) slider.Attach(*this);
}

LRESULT CSoundDlg::OnInitPage() {
  SetCheckBox(window_, IDC_SOUND_HARDWARE, settings_.SOUND_HARDWARE);
  CheckRadioOfValue(window_, kQuality, settings_.SOUND_QUALITY);
  CheckRadioOfValue(window_, kBuffer, settings_.SOUND_BUFFER);
  SetCheckBox(window_, IDC_SOUND_GLOBAL_FOCUS, settings_.SOUND_GLOBAL_FOCUS);
  SetCheckBox(window_, IDC_SOUND_MEMORY_STREAM, settings_.SOUND_STREAM);
  SetCheckBox(window_, IDC_SOUND_3D, settings_.SOUND_3D_USE);
  SetCheckBox(window_, IDC_SOUND_MUSIC, settings_.MUSIC_USE);
  SetCheckBox(window_, IDC_SOUND_EFFECTS, settings_.SE_USE);
  SetCheckBox(window_, IDC_SOUND_VOICE, settings_.VOICE_USE);
  sliders_[0].Start(settings_.MASTER_VOLUME);
  sliders_[1].Start(settings_.MUSIC_VOLUME);
  sliders_[2].Start(settings_.SE_VOLUME);
  sliders_[3].Start(settings_.VOICE_VOLUME);
  sliders_[4].Start(settings_.VIDEO_VOLUME);
  SetCheckBox(window_, IDC_SOUND_FADE_WITH_VOICE, settings_.VOICE_FADE_USE);
  sliders_[5].Start(settings_.VOICE_FADE_VOLOME);
  sliders_[6].Start(settings_.VOICE_FADE_TIMER);
  sliders_[7].Start(settings_.VOICE_FADE_WAIT);
  // No settings key belongs to the double-buffer box: it stays greyed out rather than promise
  // something the engine never reads.
  EnableWindow(GetDlgItem(window_, IDC_SOUND_DOUBLE_BUFFER), FALSE);
  // The timer ends with the page's window.
  SetTimer(window_, kTimerId, kPollPeriodMs, nullptr);
  return 1;
}

void CSoundDlg::OnApply() {
  settings_.SOUND_HARDWARE = CheckBoxValue(window_, IDC_SOUND_HARDWARE);
  ReadRadioValue(window_, kQuality, settings_.SOUND_QUALITY);
  ReadRadioValue(window_, kBuffer, settings_.SOUND_BUFFER);
  settings_.SOUND_STREAM = CheckBoxValue(window_, IDC_SOUND_MEMORY_STREAM);
  settings_.SOUND_GLOBAL_FOCUS = CheckBoxValue(window_, IDC_SOUND_GLOBAL_FOCUS);
  settings_.SOUND_3D_USE = CheckBoxValue(window_, IDC_SOUND_3D);
  settings_.MUSIC_USE = CheckBoxValue(window_, IDC_SOUND_MUSIC);
  settings_.SE_USE = CheckBoxValue(window_, IDC_SOUND_EFFECTS);
  settings_.VOICE_USE = CheckBoxValue(window_, IDC_SOUND_VOICE);
  settings_.MASTER_VOLUME = sliders_[0].Position();
  settings_.MUSIC_VOLUME = sliders_[1].Position();
  settings_.SE_VOLUME = sliders_[2].Position();
  settings_.VOICE_VOLUME = sliders_[3].Position();
  settings_.VIDEO_VOLUME = sliders_[4].Position();
  settings_.VOICE_FADE_USE = CheckBoxValue(window_, IDC_SOUND_FADE_WITH_VOICE);
  settings_.VOICE_FADE_VOLOME = sliders_[5].Position();
  settings_.VOICE_FADE_TIMER = sliders_[6].Position();
  settings_.VOICE_FADE_WAIT = sliders_[7].Position();
}
