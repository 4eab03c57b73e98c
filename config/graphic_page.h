// CGraphicDlg, the second page ("GRAPHICCONFIG"): texture size, colour depth, frame rate and the
// filters, with the filters the primary display adapter cannot do greyed out.
#pragma once

#include "d3d_device.h"
#include "graphic_settings.h"
#include "settings_page.h"

class CGraphicDlg : public CSettingsPage {
 public:
  CGraphicDlg(HINSTANCE instance, std::int32_t* applied, const CD3DDevice* probe);

  GraphicSettings& Settings() { return settings_; }

 protected:
  LRESULT OnInitPage() override;
  void OnApply() override;

 private:
  void ApplyTextureFilterCaps(DWORD textureFilterCaps);
  void ApplyStretchFilterCaps(DWORD stretchFilterCaps);
  void Disable(int id) const { EnableWindow(GetDlgItem(window_, id), FALSE); }

  const CD3DDevice* probe_;
  GraphicSettings settings_;
};
