// The whole sheet from the keyboard, as a player without a mouse works it: Tab through every
// control of each page, the arrow keys in each radio group, Ctrl+Tab between the pages, the
// reset button's mnemonic, Enter and Escape.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include "page_test.h"
#include "resource_ids.h"
#include "sample_files.h"

namespace {

// A tab stop of a page: one control, or a radio group, which Tab enters at its checked button.
struct Stop {
  int id;
  int groupSize = 1;
};

struct PageStops {
  Tab tab;
  std::vector<Stop> stops;
};

// Tab follows each page's layout, group by group.
const PageStops kTabOrder[] = {
    {Tab::kSystem,
     {{IDC_SYSTEM_WINDOWED, 2}, {IDC_SYSTEM_CONFIRM_LOAD}, {IDC_SYSTEM_CONFIRM_OVERWRITE}, {IDC_SYSTEM_TIME_SYNC, 2},
      {IDC_SYSTEM_ALL_EFFECTS}, {IDC_SYSTEM_RUN_INACTIVE}, {IDC_SYSTEM_CACHE_SIZE}, {IDC_SYSTEM_PACK_HEADER_CHECK},
      {IDC_SYSTEM_PACK_DATA_CHECK}, {IDC_SYSTEM_OUTSIDE_MESSAGE_WINDOW}, {IDC_SYSTEM_PERFORMANCE_TIMER},
      {IDC_SYSTEM_ONE_CPU}}},
    {Tab::kGraphic,
     {{IDC_GRAPHIC_LEVEL_0, 4}, {IDC_GRAPHIC_MIN_ANISOTROPIC, 3}, {IDC_GRAPHIC_ASPECT_LINEAR, 2},
      {IDC_GRAPHIC_COLOR_32, 2}, {IDC_GRAPHIC_MAG_ANISOTROPIC, 3}, {IDC_GRAPHIC_DITHER_16BIT, 2},
      {IDC_GRAPHIC_FPS_60, 3}, {IDC_GRAPHIC_TEXTURE_MAX_DEFAULT, 2}, {IDC_GRAPHIC_ASPECT_RATIO_USE},
      {IDC_GRAPHIC_SOFTWARE_VERTEX}}},
    {Tab::kSound,
     {{IDC_SOUND_HARDWARE}, {IDC_SOUND_3D}, {IDC_SOUND_QUALITY_STANDARD, 2}, {IDC_SOUND_GLOBAL_FOCUS},
      {IDC_SOUND_MEMORY_STREAM}, {IDC_SOUND_BUFFER_SMALLEST, 4}, {IDC_SOUND_MUSIC}, {IDC_SOUND_EFFECTS},
      {IDC_SOUND_VOICE}, {IDC_SOUND_MASTER_VOLUME}, {IDC_SOUND_VOICE_VOLUME}, {IDC_SOUND_MUSIC_VOLUME},
      {IDC_SOUND_VIDEO_VOLUME}, {IDC_SOUND_EFFECTS_VOLUME}, {IDC_SOUND_FADE_VOLUME}, {IDC_SOUND_FADE_TIME},
      {IDC_SOUND_FADE_WITH_VOICE}, {IDC_SOUND_FADE_WAIT}}},
    {Tab::kMessage,
     {{IDC_MESSAGE_READ_SKIP}, {IDC_MESSAGE_FONT_LIST}, {IDC_MESSAGE_BOLD}, {IDC_MESSAGE_OUTLINE_NONE, 3},
      {IDC_MESSAGE_TEXT_SPEED}, {IDC_MESSAGE_VOICE_CUT_ON_ADVANCE, 3}, {IDC_MESSAGE_EFFECT_NORMAL, 3},
      {IDC_MESSAGE_EFFECT_50MS, 5}, {IDC_MESSAGE_AUTO_BASE_TIME}, {IDC_MESSAGE_AUTO_CHARACTER_TIME},
      {IDC_MESSAGE_AUTO_DECAY_TIME}, {IDC_MESSAGE_AUTO_VOICE_SYNC}}},
    {Tab::kMouse, {{IDC_MOUSE_HIDE_NEVER, 5}, {IDC_VIDEO_FRAME_FREE, 3}}},
    {Tab::kKeys,
     {{IDC_KEY_FUNCTION_LIST}, {IDC_KEY_SLOT_1}, {IDC_KEY_SLOT_2}, {IDC_KEY_SLOT_3}, {IDC_KEY_SLOT_4},
      {IDC_KEY_SLOT_5}, {IDC_KEY_JOYPAD}, {IDC_KEY_RESET}}},
};

constexpr DWORD kKeyTimeoutMs = 5000;

class Keyboard : public PageTest {
 protected:
  HWND Tabs() const { return reinterpret_cast<HWND>(SendMessageA(sheet_.window, PSM_GETTABCONTROL, 0, 0)); }

  // Presses the key and waits until the focus has moved.
  void MoveFocus(WORD key, const std::vector<WORD>& modifiers = {}) const {
    const SheetDriver driver = Driver();
    const HWND before = driver.Focus();
    driver.Type(key, modifiers);
    WaitUntil([&] { return driver.Focus() != before; }, kKeyTimeoutMs);
  }

  void TabTo(int id) const {
    for (int presses = 0; presses < 60 && Driver().FocusId() != id; ++presses) MoveFocus(VK_TAB);
    ASSERT_EQ(Driver().FocusId(), id);
  }

  // A page key moves to tab, and the focus to the tabs.
  void SwitchPage(const std::vector<WORD>& modifiers, WORD key, Tab tab) const {
    const SheetDriver driver = Driver();
    driver.Type(key, modifiers);
    ASSERT_TRUE(WaitUntil([&] { return driver.CurrentTab() == static_cast<int>(tab); }, kKeyTimeoutMs));
    EXPECT_TRUE(WaitUntil([&] { return driver.Focus() == Tabs(); }, kKeyTimeoutMs));
  }

  bool Becomes(int id, bool checked) const {
    return WaitUntil([&] { return Driver().IsChecked(id) == checked; }, kKeyTimeoutMs);
  }

  // Where Tab enters a stop: a radio group at its checked button, or at its first button that can
  // take the focus when none of those is checked.
  int EntryOf(const Stop& stop) const {
    if (stop.groupSize == 1) return stop.id;
    int entry = 0;
    for (int id = stop.id + stop.groupSize - 1; id >= stop.id; --id) {
      if (!Driver().IsEnabled(id)) continue;
      if (Driver().IsChecked(id)) return id;
      entry = id;
    }
    return entry;
  }

  // The down arrow walks through the group's buttons, checking each, and wraps to the first.
  void WalkRadioGroup(const Stop& stop) const {
    int id = Driver().FocusId();
    for (int step = 0; step < stop.groupSize; ++step) {
      id = id + 1 < stop.id + stop.groupSize ? id + 1 : stop.id;
      MoveFocus(VK_DOWN);
      EXPECT_EQ(Driver().FocusId(), id);
      EXPECT_TRUE(Becomes(id, true)) << id;
    }
  }
};

TEST_F(Keyboard, TabReachesEveryControlOfEachPageAndTheArrowsEveryRadioButton) {
  // Cursor hiding after 25 seconds has no button: Tab reaches that group all the same.
  const std::string settings = "[MOUSE_INFO]\r\nAUTO_CLEAR=5\r\n";
  const SheetDriver driver = Open(Tab::kSystem, settings, FullKeys());
  // The sheet opens with the focus on the first page's first control; the tabs come before it.
  MoveFocus(VK_TAB, {VK_SHIFT});
  ASSERT_EQ(driver.Focus(), Tabs());
  for (const PageStops& page : kTabOrder) {
    SCOPED_TRACE(static_cast<int>(page.tab));
    if (page.tab != Tab::kSystem) SwitchPage({VK_CONTROL}, VK_TAB, page.tab);
    for (const Stop& stop : page.stops) {
      MoveFocus(VK_TAB);
      ASSERT_EQ(driver.FocusId(), EntryOf(stop));
      if (stop.groupSize > 1) WalkRadioGroup(stop);
    }
    MoveFocus(VK_TAB);
    EXPECT_EQ(driver.FocusId(), IDOK);
    MoveFocus(VK_TAB);
    EXPECT_EQ(driver.FocusId(), IDCANCEL);
    MoveFocus(VK_TAB);
    EXPECT_EQ(driver.Focus(), Tabs());
  }
  driver.Type(VK_ESCAPE);
  ASSERT_EQ(sheet_.process->WaitForExit(kExitTimeoutMs), 0u);
  EXPECT_EQ(game_.Settings(), settings);
}

TEST_F(Keyboard, TheCtrlKeysMoveBetweenThePagesBothWaysAndRoundTheEnds) {
  struct Case {
    std::vector<WORD> modifiers;
    WORD key;
    Tab tab;
  };
  const Case cases[] = {{{VK_CONTROL, VK_SHIFT}, VK_TAB, Tab::kKeys},
                        {{VK_CONTROL}, VK_PRIOR, Tab::kMouse},
                        {{VK_CONTROL}, VK_NEXT, Tab::kKeys},
                        {{VK_CONTROL}, VK_TAB, Tab::kSystem},
                        {{VK_CONTROL}, VK_TAB, Tab::kGraphic}};
  Open(Tab::kSystem, "");
  for (const Case& step : cases) SwitchPage(step.modifiers, step.key, step.tab);
  PressCancel();
}

TEST_F(Keyboard, APlayerSetsEveryKindOfControlByKeysAndEnterSaves) {
  const SheetDriver driver = Open(Tab::kSystem, "[MESSAGE_INFO]\r\nEFFECT_TIMER=3\r\n", FullKeys());
  ASSERT_EQ(driver.FocusId(), IDC_SYSTEM_FULL_SCREEN);
  MoveFocus(VK_UP);
  EXPECT_TRUE(Becomes(IDC_SYSTEM_WINDOWED, true));
  TabTo(IDC_SYSTEM_CONFIRM_LOAD);
  driver.Type(VK_SPACE);
  EXPECT_TRUE(Becomes(IDC_SYSTEM_CONFIRM_LOAD, true));
  TabTo(IDC_SYSTEM_CACHE_SIZE);
  driver.Type(VK_DOWN);
  EXPECT_TRUE(WaitUntil([&] { return driver.Selection(IDC_SYSTEM_CACHE_SIZE) == 4; }, kKeyTimeoutMs));

  for (Tab tab : {Tab::kGraphic, Tab::kSound, Tab::kMessage}) SwitchPage({VK_CONTROL}, VK_NEXT, tab);
  // From 500 ms on to 650 ms, past the label that stands beside the group.
  TabTo(IDC_MESSAGE_EFFECT_500MS);
  MoveFocus(VK_RIGHT);
  EXPECT_TRUE(Becomes(IDC_MESSAGE_EFFECT_650MS, true));
  TabTo(IDC_MESSAGE_AUTO_BASE_TIME);
  driver.Type(VK_RIGHT);
  EXPECT_TRUE(LabelBecomes(IDC_MESSAGE_AUTO_BASE_TIME_LABEL, L"[1100ms]"));

  for (Tab tab : {Tab::kMouse, Tab::kKeys}) SwitchPage({VK_CONTROL}, VK_NEXT, tab);
  TabTo(IDC_KEY_FUNCTION_LIST);
  driver.Type(VK_DOWN);
  // The second function, whose first input is code 6 in FullKeys.
  EXPECT_TRUE(WaitUntil([&] { return driver.Selection(IDC_KEY_SLOT_1) == 6; }, kKeyTimeoutMs));
  TabTo(IDC_KEY_SLOT_1);
  driver.Type(VK_DOWN);
  EXPECT_TRUE(WaitUntil([&] { return driver.Selection(IDC_KEY_SLOT_1) == 7; }, kKeyTimeoutMs));

  driver.Type(VK_RETURN);
  ASSERT_EQ(sheet_.process->WaitForExit(kExitTimeoutMs), 0u);
  EXPECT_EQ(SavedSetting("WINDOW_STATUS", "WINDOW_MODE"), "1");
  EXPECT_EQ(SavedSetting("SYSTEM_INFO", "DLG_LOAD"), "1");
  EXPECT_EQ(SavedSetting("SYSTEM_INFO", "IMAGE_CACHE_SIZE"), "4");
  EXPECT_EQ(SavedSetting("MESSAGE_INFO", "EFFECT_TIMER"), "4");
  EXPECT_EQ(SavedSetting("MESSAGE_INFO", "AUTO_MODE_1"), "11");
  EXPECT_EQ(SavedKey("KEY_FUNCTION_02", "KEY_DATA_01"), "7");
}

}  // namespace
