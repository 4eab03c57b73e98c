// The fixture of the page tests: the sheet opened on a game folder's files at one page, OK, and
// what the files hold afterwards.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game_folder.h"

enum class Tab { kSystem, kGraphic, kSound, kMessage, kMouse, kKeys };

class PageTest : public testing::Test {
 protected:
  // Writes the settings (and, when given, the key file), starts the program and clicks the tab.
  SheetDriver Open(Tab tab, const std::string& settings, const std::string& keys = "",
                   const std::vector<std::string>& environment = {});
  SheetDriver Driver() const { return sheet_.Driver(); }
  void PressOk();
  void PressCancel();
  std::string SavedSetting(const char* section, const char* key) const;
  std::string SavedKey(const char* section, const char* key) const;
  // Waits for a page's 50 ms timer to rewrite a label.
  bool LabelBecomes(int id, const std::wstring& text) const;

  GameFolder game_;
  OpenSheet sheet_;
};
