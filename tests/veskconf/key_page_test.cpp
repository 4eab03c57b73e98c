// The key page as a player uses it: the function list, five slot lists, the reset and the joypad.
#include <windows.h>

#include <map>

#include <gtest/gtest.h>

#include "page_test.h"
#include "resource_ids.h"
#include "sample_files.h"

namespace {

const int kSlots[] = {IDC_KEY_SLOT_1, IDC_KEY_SLOT_2, IDC_KEY_SLOT_3, IDC_KEY_SLOT_4, IDC_KEY_SLOT_5};
// "確認" and "キー設定を初期化しますか？"
const wchar_t kResetCaption[] = L"\x78BA\x8A8D";
const wchar_t kResetQuestion[] =
    L"\x30AD\x30FC\x8A2D\x5B9A\x3092\x521D\x671F\x5316\x3057\x307E\x3059\x304B\xFF1F";
const wchar_t kMouseUndefined[] = L"\x30DE\x30A6\x30B9\xFF1A\x672A\x5B9A\x7FA9";

class KeyPage : public PageTest {
 protected:
  SheetDriver Open(const std::string& keys, const std::string& settings = "") {
    return PageTest::Open(Tab::kKeys, settings, keys);
  }
  std::string Saved(const char* section, const char* key) const { return SavedKey(section, key); }
  // Clicks the reset button and answers the confirmation.
  void Reset(int answer) const {
    Driver().ClickWithoutWaiting(IDC_KEY_RESET);
    HWND box = sheet_.process->WaitForWindow(kResetCaption, kStartTimeoutMs);
    ASSERT_NE(box, nullptr);
    AnswerMessageBox(box, answer);
    WaitUntil([&] { return !IsWindow(box); }, kExitTimeoutMs);
  }
  std::vector<int> ShownCodes() const {
    std::vector<int> codes;
    for (int slot : kSlots) codes.push_back(Driver().Selection(slot));
    return codes;
  }
};

// In FullKeys, slot k of function n (from 0) holds n * 5 + k + 1, its default 3 more.
std::vector<int> CurrentCodesOf(int function) {
  return {function * 5 + 1, function * 5 + 2, function * 5 + 3, function * 5 + 4, function * 5 + 5};
}
std::vector<int> DefaultCodesOf(int function) {
  return {function * 5 + 4, function * 5 + 5, function * 5 + 6, function * 5 + 7, function * 5 + 8};
}

TEST_F(KeyPage, OpensOnTheConfirmFunctionShowingItsFiveInputs) {
  const SheetDriver page = Open(FullKeys());
  ASSERT_EQ(page.ListCount(IDC_KEY_FUNCTION_LIST), 20);
  EXPECT_EQ(page.ListSelection(IDC_KEY_FUNCTION_LIST), 0);
  EXPECT_EQ(page.ListItemText(IDC_KEY_FUNCTION_LIST, 0), L"\x6C7A\x5B9A");
  EXPECT_EQ(page.ListItemText(IDC_KEY_FUNCTION_LIST, 19), L"\x30ED\x30FC\x30C9\x753B\x9762");
  EXPECT_EQ(ShownCodes(), CurrentCodesOf(0));
  page.ClickListItem(IDC_KEY_FUNCTION_LIST, 7);
  EXPECT_EQ(ShownCodes(), CurrentCodesOf(7));
  page.PressCancel();
}

TEST_F(KeyPage, EverySlotListsTheInputNamesInCodeOrder) {
  const SheetDriver page = Open(FullKeys());
  const std::map<int, std::wstring> names = {
      {0, L"\x672A\x8A2D\x5B9A"},
      {1, L"\x30DE\x30A6\x30B9\xFF1A\x5DE6\x30AF\x30EA\x30C3\x30AF"},
      {6, kMouseUndefined},
      {7, kMouseUndefined},
      {8, L"\x30B8\x30E7\x30A4\x30D1\x30C3\x30C9\xFF1A\x2191"},
      {12, L"\x30B8\x30E7\x30A4\x30D1\x30C3\x30C9\xFF1A\x30DC\x30BF\x30F3\xFF11"},
      {19, L"\x30B8\x30E7\x30A4\x30D1\x30C3\x30C9\xFF1A\x30DC\x30BF\x30F3\xFF18"},
      {20, L"\x30AD\x30FC\x30DC\x30FC\x30C9\xFF1A" L"Back"},
      {22, L"\x30AD\x30FC\x30DC\x30FC\x30C9\xFF1A" L"Enter"},
      {36, L"\x30AD\x30FC\x30DC\x30FC\x30C9\xFF1A\x2192"},
      {37, L"\x30AD\x30FC\x30DC\x30FC\x30C9\xFF1A" L"0\x3010\x30C6\x30F3\x30AD\x30FC\x3011"},
      {47, L"\x30AD\x30FC\x30DC\x30FC\x30C9\xFF1A*\x3010\x30C6\x30F3\x30AD\x30FC\x3011"},
      {51, L"\x30AD\x30FC\x30DC\x30FC\x30C9\xFF1A/\x3010\x30C6\x30F3\x30AD\x30FC\x3011"},
      {52, L"\x30AD\x30FC\x30DC\x30FC\x30C9\xFF1A" L"F1"},
      {75, L"\x30AD\x30FC\x30DC\x30FC\x30C9\xFF1A" L"F24"},
      {76, L"\x30AD\x30FC\x30DC\x30FC\x30C9\xFF1A" L"0"},
      {85, L"\x30AD\x30FC\x30DC\x30FC\x30C9\xFF1A" L"9"},
      {86, L"\x30AD\x30FC\x30DC\x30FC\x30C9\xFF1A" L"A"},
      {111, L"\x30AD\x30FC\x30DC\x30FC\x30C9\xFF1AZ"},
      {112, L"\x30AD\x30FC\x30DC\x30FC\x30C9\xFF1A:"},
      {119, L"\x30AD\x30FC\x30DC\x30FC\x30C9\xFF1A["},
      // The single byte 0x5C; the full-width reverse solidus is code 123.
      {120, L"\x30AD\x30FC\x30DC\x30FC\x30C9\xFF1A\x005C"},
      {121, L"\x30AD\x30FC\x30DC\x30FC\x30C9\xFF1A]"},
      {122, L"\x30AD\x30FC\x30DC\x30FC\x30C9\xFF1A^"},
      {123, L"\x30AD\x30FC\x30DC\x30FC\x30C9\xFF1A\xFF3C"},
  };
  for (int slot : kSlots) {
    ASSERT_EQ(page.ItemCount(slot), 124);
    for (const auto& [code, name] : names) EXPECT_EQ(page.ItemText(slot, code), name) << "code " << code;
  }
  page.PressCancel();
}

TEST_F(KeyPage, PickingEnterInTheSecondSlotOfConfirmStores22) {
  const SheetDriver page = Open(FullKeys());
  page.Pick(IDC_KEY_SLOT_2, 22);
  EXPECT_EQ(page.Selection(IDC_KEY_SLOT_2), 22);
  PressOk();
  EXPECT_EQ(Saved("KEY_FUNCTION_01", "KEY_DATA_02"), "22");
  EXPECT_EQ(Saved("KEY_FUNCTION_01", "KEY_DATA_01"), "1");
  EXPECT_EQ(Saved("KEY_FUNCTION_51", "KEY_DATA_02"), "5");
}

TEST_F(KeyPage, TheTwoUndefinedMouseInputsStayDistinctCodes) {
  const SheetDriver page = Open(FullKeys());
  page.Pick(IDC_KEY_SLOT_1, 7);
  page.Pick(IDC_KEY_SLOT_2, 6);
  // The same input may serve several slots and functions.
  page.Pick(IDC_KEY_SLOT_3, 7);
  page.ClickListItem(IDC_KEY_FUNCTION_LIST, 3);
  page.Pick(IDC_KEY_SLOT_5, 7);
  EXPECT_EQ(page.SelectedText(IDC_KEY_SLOT_5), kMouseUndefined);
  PressOk();
  EXPECT_EQ(Saved("KEY_FUNCTION_01", "KEY_DATA_01"), "7");
  EXPECT_EQ(Saved("KEY_FUNCTION_01", "KEY_DATA_02"), "6");
  EXPECT_EQ(Saved("KEY_FUNCTION_01", "KEY_DATA_03"), "7");
  EXPECT_EQ(Saved("KEY_FUNCTION_04", "KEY_DATA_05"), "7");
}

TEST_F(KeyPage, ResetAnsweredYesPutsBackTheDefaultsOfEveryFunction) {
  const SheetDriver page = Open(FullKeys());
  page.ClickListItem(IDC_KEY_FUNCTION_LIST, 4);
  page.ClickWithoutWaiting(IDC_KEY_RESET);
  HWND box = sheet_.process->WaitForWindow(kResetCaption, kStartTimeoutMs);
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(MessageBoxText(box), kResetQuestion);
  EXPECT_TRUE(WaitUntil([&] { return MessageBoxShowsIcon(box, IDI_INFORMATION); }, kExitTimeoutMs));
  EXPECT_TRUE(MessageBoxHasButton(box, IDYES));
  EXPECT_TRUE(MessageBoxHasButton(box, IDNO));
  AnswerMessageBox(box, IDYES);
  ASSERT_TRUE(WaitUntil([&] { return ShownCodes() == DefaultCodesOf(4); }, kExitTimeoutMs));
  EXPECT_EQ(page.ListSelection(IDC_KEY_FUNCTION_LIST), 4);
  PressOk();
  EXPECT_EQ(Saved("KEY_FUNCTION_01", "KEY_DATA_01"), "4");
  EXPECT_EQ(Saved("KEY_FUNCTION_20", "KEY_DATA_05"), "103");
}

TEST_F(KeyPage, AltCPressesTheResetButton) {
  const SheetDriver page = Open(FullKeys());
  page.Type('C', {VK_MENU});
  HWND box = sheet_.process->WaitForWindow(kResetCaption, kStartTimeoutMs);
  ASSERT_NE(box, nullptr);
  AnswerMessageBox(box, IDYES);
  EXPECT_TRUE(WaitUntil([&] { return ShownCodes() == DefaultCodesOf(0); }, kExitTimeoutMs));
  page.PressCancel();
}

TEST_F(KeyPage, ResetAnsweredNoChangesNothing) {
  const SheetDriver page = Open(FullKeys());
  page.Pick(IDC_KEY_SLOT_1, 30);
  Reset(IDNO);
  EXPECT_EQ(page.Selection(IDC_KEY_SLOT_1), 30);
  PressOk();
  EXPECT_EQ(Saved("KEY_FUNCTION_01", "KEY_DATA_01"), "30");
  EXPECT_EQ(Saved("KEY_FUNCTION_02", "KEY_DATA_01"), "6");
}

TEST_F(KeyPage, ResetWithoutDefaultSectionsUnassignsEverything) {
  const SheetDriver page = Open("[KEY_FUNCTION_01]\r\nKEY_DATA_01=22\r\n");
  EXPECT_EQ(page.Selection(IDC_KEY_SLOT_1), 22);
  Reset(IDYES);
  EXPECT_EQ(ShownCodes(), (std::vector<int>{0, 0, 0, 0, 0}));
  EXPECT_EQ(page.SelectedText(IDC_KEY_SLOT_1), L"\x672A\x8A2D\x5B9A");
  PressOk();
  EXPECT_EQ(Saved("KEY_FUNCTION_01", "KEY_DATA_01"), "0");
}

TEST_F(KeyPage, ARightClickSelectsAFunctionAndTheSlotsFollowIt) {
  const SheetDriver page = Open(FullKeys());
  page.RightClickListItem(IDC_KEY_FUNCTION_LIST, 2);
  ASSERT_TRUE(WaitUntil([&] { return ShownCodes() == CurrentCodesOf(2); }, kExitTimeoutMs));
  EXPECT_EQ(page.ListSelection(IDC_KEY_FUNCTION_LIST), 2);
  page.Pick(IDC_KEY_SLOT_4, 99);
  PressOk();
  EXPECT_EQ(Saved("KEY_FUNCTION_03", "KEY_DATA_04"), "99");
  EXPECT_EQ(Saved("KEY_FUNCTION_01", "KEY_DATA_04"), "4");
}

TEST_F(KeyPage, TheJoypadBoxIsWrittenOnOkOnly) {
  const SheetDriver page = Open(FullKeys(), "[SYSTEM_INFO]\r\nJOYPAD_USE=1\r\n");
  EXPECT_TRUE(page.IsChecked(IDC_KEY_JOYPAD));
  page.Click(IDC_KEY_JOYPAD);
  PressOk();
  EXPECT_EQ(ValueIn(game_.Path() + "vesk.cfg", "SYSTEM_INFO", "JOYPAD_USE"), "0");
}

TEST_F(KeyPage, ChangesLeftWithCancelReachNeitherFile) {
  const SheetDriver page = Open(FullKeys(), "[SYSTEM_INFO]\r\nJOYPAD_USE=1\r\n");
  page.Pick(IDC_KEY_SLOT_1, 50);
  page.Click(IDC_KEY_JOYPAD);
  page.PressCancel();
  EXPECT_EQ(sheet_.process->WaitForExit(kExitTimeoutMs), 0u);
  EXPECT_EQ(game_.Keys(), FullKeys());
  EXPECT_EQ(game_.Settings(), "[SYSTEM_INFO]\r\nJOYPAD_USE=1\r\n");
}

}  // namespace
