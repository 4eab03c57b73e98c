// The six page objects, created before the settings are loaded and destroyed after they are
// saved, each in the engine's stated order.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>

#include "graphic_page.h"
#include "key_page.h"
#include "message_page.h"
#include "mouse_page.h"
#include "page_proc.h"
#include "settings_record.h"
#include "sound_page.h"
#include "system_page.h"

class SettingsPages {
 public:
  // Creates key, graphic, message, system, sound, mouse and video.
  SettingsPages(HINSTANCE instance, std::int32_t* applied, const CD3DDevice* probe);
  // Destroys them in the same order.
  ~SettingsPages();
  SettingsPages(const SettingsPages&) = delete;
  SettingsPages& operator=(const SettingsPages&) = delete;

  SettingsRecord Record() const;
  std::array<CWinDialog*, kPageCount> InTabOrder() const;

 private:
  std::unique_ptr<CKeyDlg> key_;
  std::unique_ptr<CGraphicDlg> graphic_;
  std::unique_ptr<CMessageDlg> message_;
  std::unique_ptr<CSystemDlg> system_;
  std::unique_ptr<CSoundDlg> sound_;
  std::unique_ptr<CMouseDlg> mouse_;
};
