// The graphic page. Fields the adapter cannot honour are corrected in memory when the page is
// first shown; they reach the file only if the sheet is applied.
#include "graphic_page.h"

#include "dialog_controls.h"
#include "resource_ids.h"
#include "shift_jis.h"

namespace {

const RadioGroup kCreateLevel = {IDC_GRAPHIC_LEVEL_0, 4};
const RadioGroup kColor = {IDC_GRAPHIC_COLOR_32, 2};
const RadioGroup kFrameRate = {IDC_GRAPHIC_FPS_60, 3};
const RadioGroup kTextureMax = {IDC_GRAPHIC_TEXTURE_MAX_DEFAULT, 2};
const RadioGroup kMinFilter = {IDC_GRAPHIC_MIN_ANISOTROPIC, 3};
const RadioGroup kMagFilter = {IDC_GRAPHIC_MAG_ANISOTROPIC, 3};
const RadioGroup kAspectFilter = {IDC_GRAPHIC_ASPECT_LINEAR, 2};
const RadioGroup kDither = {IDC_GRAPHIC_DITHER_16BIT, 2};

constexpr std::int32_t kAnisotropic = 0;
constexpr std::int32_t kLinear = 1;
constexpr std::int32_t kPoint = 2;
constexpr std::int32_t kAspectLinear = 0;
constexpr std::int32_t kAspectPoint = 1;

}  // namespace

CGraphicDlg::CGraphicDlg(HINSTANCE instance, std::int32_t* applied, const CD3DDevice* probe)
    : CSettingsPage(instance, IDD_GRAPHIC_PAGE, applied), probe_(probe) {}

LRESULT CGraphicDlg::OnInitPage() {
  // Without an adapter record every capability counts as absent, as after a failed query.
  D3DCAPS9 caps = {};
  const AdapterRecord* adapter = probe_ != nullptr ? probe_->CurrentAdapter() : nullptr;
  if (adapter != nullptr) caps = adapter->caps;

  CheckRadioOfValue(window_, kCreateLevel, settings_.TEXTURE_CREATE_LEVEL);
  CheckRadioOfValue(window_, kColor, settings_.TEXTURE_COLOR);
  CheckRadioOfValue(window_, kFrameRate, settings_.FRAME_RATE);
  CheckRadioOfValue(window_, kTextureMax, settings_.TEXTURE_MAX);
  ApplyTextureFilterCaps(caps.TextureFilterCaps);
  ApplyStretchFilterCaps(caps.StretchRectFilterCaps);
  CheckRadioOfValue(window_, kAspectFilter, settings_.ASPECT_RATIO_FILTER);
  CheckRadioOfValue(window_, kDither, settings_.DITHER_FILTER);
  SetCheckBox(window_, IDC_GRAPHIC_ASPECT_RATIO_USE, settings_.ASPECT_RATIO_USE);
  SetCheckBox(window_, IDC_GRAPHIC_SOFTWARE_VERTEX, settings_.SOFTWARE_VERTEX);
  return 1;
}

void CGraphicDlg::ApplyTextureFilterCaps(DWORD caps) {
  if (!(caps & D3DPTFILTERCAPS_MINFANISOTROPIC)) {
    Disable(IDC_GRAPHIC_MIN_ANISOTROPIC);
    if (settings_.TEXTURE_MIN_FILTER == kAnisotropic) settings_.TEXTURE_MIN_FILTER = kLinear;
  }
  if (!(caps & D3DPTFILTERCAPS_MINFLINEAR)) {
    Disable(IDC_GRAPHIC_MIN_LINEAR);
    if (settings_.TEXTURE_MIN_FILTER == kLinear) settings_.TEXTURE_MIN_FILTER = kPoint;
  }
  CheckRadioOfValue(window_, kMinFilter, settings_.TEXTURE_MIN_FILTER);

  if (!(caps & D3DPTFILTERCAPS_MAGFANISOTROPIC)) {
    Disable(IDC_GRAPHIC_MAG_ANISOTROPIC);
    if (settings_.TEXTURE_MAG_FILTER == kAnisotropic) settings_.TEXTURE_MAG_FILTER = kLinear;
  }
  if (!(caps & D3DPTFILTERCAPS_MAGFLINEAR)) {
    Disable(IDC_GRAPHIC_MAG_LINEAR);
    if (settings_.TEXTURE_MAG_FILTER == kLinear) settings_.TEXTURE_MAG_FILTER = kPoint;
  }
  CheckRadioOfValue(window_, kMagFilter, settings_.TEXTURE_MAG_FILTER);
}

void CGraphicDlg::ApplyStretchFilterCaps(DWORD caps) {
  if (!(caps & D3DPTFILTERCAPS_MAGFLINEAR)) {
    Disable(IDC_GRAPHIC_ASPECT_LINEAR);
    if (settings_.ASPECT_RATIO_FILTER == kAspectLinear) settings_.ASPECT_RATIO_FILTER = kAspectPoint;
  }
  if (!(caps & D3DPTFILTERCAPS_MAGFPOINT)) Disable(IDC_GRAPHIC_ASPECT_POINT);
  const bool usable = (caps & (D3DPTFILTERCAPS_MAGFLINEAR | D3DPTFILTERCAPS_MAGFPOINT)) != 0;
  const std::wstring availability = WideFromShiftJis(usable ? "【使用可能です】" : "【使用出来ません】");
  SetDlgItemTextW(window_, IDC_GRAPHIC_ASPECT_AVAILABILITY, availability.c_str());
  if (!usable) {
    settings_.ASPECT_RATIO_USE = 0;
    Disable(IDC_GRAPHIC_ASPECT_RATIO_USE);
  }
}

void CGraphicDlg::OnApply() {
  // Disabled buttons are read like enabled ones.
  ReadRadioValue(window_, kCreateLevel, settings_.TEXTURE_CREATE_LEVEL);
  ReadRadioValue(window_, kColor, settings_.TEXTURE_COLOR);
  ReadRadioValue(window_, kFrameRate, settings_.FRAME_RATE);
  ReadRadioValue(window_, kTextureMax, settings_.TEXTURE_MAX);
  ReadRadioValue(window_, kMinFilter, settings_.TEXTURE_MIN_FILTER);
  ReadRadioValue(window_, kMagFilter, settings_.TEXTURE_MAG_FILTER);
  ReadRadioValue(window_, kAspectFilter, settings_.ASPECT_RATIO_FILTER);
  ReadRadioValue(window_, kDither, settings_.DITHER_FILTER);
  settings_.ASPECT_RATIO_USE = CheckBoxValue(window_, IDC_GRAPHIC_ASPECT_RATIO_USE);
  settings_.SOFTWARE_VERTEX = CheckBoxValue(window_, IDC_GRAPHIC_SOFTWARE_VERTEX);
}
