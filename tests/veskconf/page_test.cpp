// PageTest.
#include "page_test.h"

#include "sample_files.h"

SheetDriver PageTest::Open(Tab tab, const std::string& settings, const std::string& keys,
                           const std::vector<std::string>& environment) {
  game_.WriteSettings(settings);
  if (!keys.empty()) game_.WriteKeys(keys);
  sheet_ = StartSheet(game_.InstallProgram(game_.Path()), game_.Path(), environment);
  EXPECT_NE(sheet_.window, nullptr);
  const SheetDriver driver = sheet_.Driver();
  if (tab != Tab::kSystem) driver.SelectTab(static_cast<int>(tab));
  return driver;
}

void PageTest::PressOk() {
  sheet_.Driver().PressOk();
  ASSERT_EQ(sheet_.process->WaitForExit(kExitTimeoutMs), 0u);
}

void PageTest::PressCancel() {
  sheet_.Driver().PressCancel();
  ASSERT_EQ(sheet_.process->WaitForExit(kExitTimeoutMs), 0u);
}

std::string PageTest::SavedSetting(const char* section, const char* key) const {
  return ValueIn(game_.Path() + "vesk.cfg", section, key);
}

std::string PageTest::SavedKey(const char* section, const char* key) const {
  return ValueIn(game_.Path() + "key.cfg", section, key);
}

bool PageTest::LabelBecomes(int id, const std::wstring& text) const {
  return WaitUntil([&] { return sheet_.Driver().Text(id) == text; }, 5000);
}
