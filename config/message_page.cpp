// The message page: the installed Japanese TrueType faces, radio groups, check boxes and four
// polled sliders.
#include "message_page.h"

#include <cstring>

#include "control_binding.h"
#include "dialog_controls.h"
#include "format_text.h"
#include "resource_ids.h"
#include "shift_jis.h"

namespace {

const RadioGroup kOutline = {IDC_MESSAGE_OUTLINE_NONE, 3};
const RadioGroup kVoiceCut = {IDC_MESSAGE_VOICE_CUT_ON_ADVANCE, 3};
const RadioGroup kEffectType = {IDC_MESSAGE_EFFECT_NORMAL, 3};
const RadioGroup kEffectTime = {IDC_MESSAGE_EFFECT_50MS, 5};
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kPollPeriodMs = 50;

void WriteBaseTimeLabel(char* text, std::size_t size, int position) {
  FormatText(text, size, "[%dms]", position * 100);
}

void WriteCharacterTimeLabel(char* text, std::size_t size, int position) {
  FormatText(text, size, "[%dms]", position * 5);
}

void WriteDecayTimeLabel(char* text, std::size_t size, int position) {
  FormatText(text, size, "[%f1.2ms]", static_cast<unsigned>(position) * 0.25);
}

// The state of one font enumeration: the face sought (Shift-JIS, as the file holds it), the faces
// listed so far and where the sought one stands (the last occurrence wins).
struct FontSearch {
  CWinListBox* list;
  const char* sought;
  int count;
  int matched;
};

// The platform reports each face by its name in the system's language ("IPAゴシック" on a Japanese
// system, "IPAGothic" on others), in UTF-16. A name that Shift-JIS cannot hold could not be stored
// in the settings file, so such a face is not listed.
int CALLBACK ListJapaneseTrueTypeFace(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM context) {
  auto& search = *reinterpret_cast<FontSearch*>(context);
  const std::wstring face = font->lfFaceName;
  // Vertical-writing variants carry a leading "@"; "$" names are not faces a player picks.
  if (type != TRUETYPE_FONTTYPE || face[0] == L'@' || face[0] == L'$') return 1;
  const auto stored = ShiftJisFromWide(face);
  if (!stored || stored->size() >= kFontFieldSize) return 1;
  search.list->AddString(face);
  if (*stored == search.sought) search.matched = search.count;
  ++search.count;
  return 1;
}

}  // namespace

CMessageDlg::CMessageDlg(HINSTANCE instance, std::int32_t* applied)
    : CSettingsPage(instance, IDD_MESSAGE_PAGE, applied),
      sliders_{{IDC_MESSAGE_TEXT_SPEED, 10},
               {IDC_MESSAGE_AUTO_BASE_TIME, 30, IDC_MESSAGE_AUTO_BASE_TIME_LABEL, WriteBaseTimeLabel},
               {IDC_MESSAGE_AUTO_CHARACTER_TIME, 40, IDC_MESSAGE_AUTO_CHARACTER_TIME_LABEL, WriteCharacterTimeLabel},
               {IDC_MESSAGE_AUTO_DECAY_TIME, 12, IDC_MESSAGE_AUTO_DECAY_TIME_LABEL, WriteDecayTimeLabel}} {}

LRESULT CMessageDlg::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) {
    for (PolledSlider& slider : sliders_) slider.Poll();
    return 0;
  }
  return CSettingsPage::HandleMessage(window, message, wParam, lParam);
}

void CMessageDlg::AttachControls(CWinMain&) {
  AttachControl(IDC_MESSAGE_FONT_LIST, fontList_, *this);
  for (PolledSlider& slider : sliders_) slider.Attach(*this);
}

LRESULT CMessageDlg::OnInitPage() {
  FillFontList();
  SetCheckBox(window_, IDC_MESSAGE_BOLD, settings_.TEXT_BOLD);
  CheckRadioOfValue(window_, kOutline, settings_.TEXT_GANG);
  sliders_[kTextSpeed].Start(settings_.TEXT_WAIT);
  CheckRadioOfValue(window_, kVoiceCut, settings_.VOICE_CUT_MODE);
  CheckRadioOfValue(window_, kEffectType, settings_.EFFECT_TYPE);
  CheckRadioOfValue(window_, kEffectTime, settings_.EFFECT_TIMER);
  SetCheckBox(window_, IDC_MESSAGE_READ_SKIP, settings_.READ_SKIP);
  SetCheckBox(window_, IDC_MESSAGE_AUTO_VOICE_SYNC, settings_.AUTO_VOICE_SYNC);
  sliders_[kBaseTime].Start(settings_.AUTO_MODE_1);
  sliders_[kCharacterTime].Start(settings_.AUTO_MODE_2);
  sliders_[kDecayTime].Start(settings_.AUTO_MODE_3);
  // The timer ends with the page's window.
  SetTimer(window_, kTimerId, kPollPeriodMs, nullptr);
  return 1;
}

void CMessageDlg::FillFontList() {
  fontList_.Clear();
  char sought[kFontFieldSize];
  std::memcpy(sought, settings_.FONT, sizeof sought);
  sought[sizeof sought - 1] = '\0';
  FontSearch search = {&fontList_, sought, 0, -1};
  LOGFONTW wanted = {};
  wanted.lfCharSet = SHIFTJIS_CHARSET;
  HDC context = GetDC(window_);
  EnumFontFamiliesExW(context, &wanted, reinterpret_cast<FONTENUMPROCW>(ListJapaneseTrueTypeFace),
                      reinterpret_cast<LPARAM>(&search), 0);
  ReleaseDC(window_, context);
  if (search.matched != -1) fontList_.SetSelection(search.matched);
}

void CMessageDlg::OnApply() {
  // With no face selected the font keeps its name. Every listed name has its Shift-JIS form.
  const auto face = ShiftJisFromWide(fontList_.SelectedText());
  if (face && !face->empty()) {
    std::memset(settings_.FONT, 0, sizeof settings_.FONT);
    std::memcpy(settings_.FONT, face->data(), face->size());
  }
  settings_.TEXT_BOLD = CheckBoxValue(window_, IDC_MESSAGE_BOLD);
  ReadRadioValue(window_, kOutline, settings_.TEXT_GANG);
  settings_.TEXT_WAIT = sliders_[kTextSpeed].Position();
  ReadRadioValue(window_, kVoiceCut, settings_.VOICE_CUT_MODE);
  ReadRadioValue(window_, kEffectType, settings_.EFFECT_TYPE);
  ReadRadioValue(window_, kEffectTime, settings_.EFFECT_TIMER);
  settings_.READ_SKIP = CheckBoxValue(window_, IDC_MESSAGE_READ_SKIP);
  settings_.AUTO_VOICE_SYNC = CheckBoxValue(window_, IDC_MESSAGE_AUTO_VOICE_SYNC);
  settings_.AUTO_MODE_1 = sliders_[kBaseTime].Position();
  settings_.AUTO_MODE_2 = sliders_[kCharacterTime].Position();
  settings_.AUTO_MODE_3 = sliders_[kDecayTime].Position();
}
