// Creating and destroying the page objects in order.
#include "settings_pages.h"

SettingsPages::SettingsPages(HINSTANCE instance, std::int32_t* applied, const CD3DDevice* probe)
    : key_(std::make_unique<CKeyDlg>(instance, applied)),
      graphic_(std::make_unique<CGraphicDlg>(instance, applied, probe)),
      message_(std::make_unique<CMessageDlg>(instance, applied)),
      system_(std::make_unique<CSystemDlg>(instance, applied)),
      sound_(std::make_unique<CSoundDlg>(instance, applied)),
      mouse_(std::make_unique<CMouseDlg>(instance, applied)) {}

SettingsPages::~SettingsPages() {
  key_.reset();
  graphic_.reset();
  message_.reset();
  system_.reset();
  sound_.reset();
  mouse_.reset();
}

SettingsRecord SettingsPages::Record() const {
  return {key_->Bindings(), system_->Settings(), graphic_->Settings(),
          sound_->Settings(), mouse_->Settings(), message_->Settings()};
}

std::array<CWinDialog*, kPageCount> SettingsPages::InTabOrder() const {
  return {system_.get(), graphic_.get(), sound_.get(), message_.get(), mouse_.get(), key_.get()};
}
