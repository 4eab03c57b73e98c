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
const char kResetCaption[] = "\x8A\x6D\x94\x46";
const char kResetQuestion[] =
    "\x83\x4C\x81\x5B\x90\xDD\x92\xE8\x82\xF0\x8F\x89\x8A\xFA\x89\xBB\x82\xB5\x82\xDC\x82\xB7\x82\xA9\x81\x48";
const char kMouseUndefined[] = "\x83\x7D\x83\x45\x83\x58\x81\x46\x96\xA2\x92\xE8\x8B\x60";

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
  EXPECT_EQ(page.ListItemText(IDC_KEY_FUNCTION_LIST, 0), "\x8C\x88\x92\xE8");
  EXPECT_EQ(page.ListItemText(IDC_KEY_FUNCTION_LIST, 19), "\x83\x8D\x81\x5B\x83\x68\x89\xE6\x96\xCA");
  EXPECT_EQ(ShownCodes(), CurrentCodesOf(0));
  page.ClickListItem(IDC_KEY_FUNCTION_LIST, 7);
  EXPECT_EQ(ShownCodes(), CurrentCodesOf(7));
  page.PressCancel();
}

TEST_F(KeyPage, EverySlotListsTheInputNamesInCodeOrder) {
  const SheetDriver page = Open(FullKeys());
  const std::map<int, std::string> names = {
      {0, "\x96\xA2\x90\xDD\x92\xE8"},
      {1, "\x83\x7D\x83\x45\x83\x58\x81\x46\x8D\xB6\x83\x4E\x83\x8A\x83\x62\x83\x4E"},
      {6, kMouseUndefined},
      {7, kMouseUndefined},
      {8, "\x83\x57\x83\x87\x83\x43\x83\x70\x83\x62\x83\x68\x81\x46\x81\xAA"},
      {12, "\x83\x57\x83\x87\x83\x43\x83\x70\x83\x62\x83\x68\x81\x46\x83\x7B\x83\x5E\x83\x93\x82\x50"},
      {19, "\x83\x57\x83\x87\x83\x43\x83\x70\x83\x62\x83\x68\x81\x46\x83\x7B\x83\x5E\x83\x93\x82\x57"},
      {20, "\x83\x4C\x81\x5B\x83\x7B\x81\x5B\x83\x68\x81\x46\x42\x61\x63\x6B"},
      {22, "\x83\x4C\x81\x5B\x83\x7B\x81\x5B\x83\x68\x81\x46\x45\x6E\x74\x65\x72"},
      {36, "\x83\x4C\x81\x5B\x83\x7B\x81\x5B\x83\x68\x81\x46\x81\xA8"},
      {37, "\x83\x4C\x81\x5B\x83\x7B\x81\x5B\x83\x68\x81\x46\x30\x81\x79\x83\x65\x83\x93\x83\x4C\x81\x5B\x81\x7A"},
      {47, "\x83\x4C\x81\x5B\x83\x7B\x81\x5B\x83\x68\x81\x46\x2A\x81\x79\x83\x65\x83\x93\x83\x4C\x81\x5B\x81\x7A"},
      {51, "\x83\x4C\x81\x5B\x83\x7B\x81\x5B\x83\x68\x81\x46\x2F\x81\x79\x83\x65\x83\x93\x83\x4C\x81\x5B\x81\x7A"},
      {52, "\x83\x4C\x81\x5B\x83\x7B\x81\x5B\x83\x68\x81\x46\x46\x31"},
      {75, "\x83\x4C\x81\x5B\x83\x7B\x81\x5B\x83\x68\x81\x46\x46\x32\x34"},
      {76, "\x83\x4C\x81\x5B\x83\x7B\x81\x5B\x83\x68\x81\x46\x30"},
      {85, "\x83\x4C\x81\x5B\x83\x7B\x81\x5B\x83\x68\x81\x46\x39"},
      {86, "\x83\x4C\x81\x5B\x83\x7B\x81\x5B\x83\x68\x81\x46\x41"},
      {111, "\x83\x4C\x81\x5B\x83\x7B\x81\x5B\x83\x68\x81\x46\x5A"},
      {112, "\x83\x4C\x81\x5B\x83\x7B\x81\x5B\x83\x68\x81\x46\x3A"},
      {119, "\x83\x4C\x81\x5B\x83\x7B\x81\x5B\x83\x68\x81\x46\x5B"},
      // The single byte 0x5C; the full-width reverse solidus is code 123.
      {120, "\x83\x4C\x81\x5B\x83\x7B\x81\x5B\x83\x68\x81\x46\x5C"},
      {121, "\x83\x4C\x81\x5B\x83\x7B\x81\x5B\x83\x68\x81\x46\x5D"},
      {122, "\x83\x4C\x81\x5B\x83\x7B\x81\x5B\x83\x68\x81\x46\x5E"},
      {123, "\x83\x4C\x81\x5B\x83\x7B\x81\x5B\x83\x68\x81\x46\x81\x5F"},
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
  EXPECT_EQ(page.SelectedText(IDC_KEY_SLOT_1), "\x96\xA2\x90\xDD\x92\xE8");
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
