// The window framework in-process: routing through bindings, the list box's right click, modal
// and modeless ends, centring, teardown, and the page pattern inside a real property sheet.
#include <windows.h>

#include <commctrl.h>

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "control_binding.h"
#include "framework_dialogs.h"
#include "page_proc.h"
#include "settings_page.h"
#include "win_combo_box.h"
#include "win_list_box.h"
#include "win_slider_ctrl.h"

namespace {

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

void PumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

class TestDialog : public CWinDialog {
 public:
  TestDialog() : CWinDialog(Instance(), IDD_FRAMEWORK_TEST) {}

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND) commands.push_back({wParam, lParam});
    if (message == WM_INITDIALOG && commandAtStart != 0) PostMessageA(window, WM_COMMAND, commandAtStart, 0);
    if (message == WM_INITDIALOG && closeAtStart) PostMessageA(window, WM_CLOSE, 0, 0);
    return CWinDialog::HandleMessage(window, message, wParam, lParam);
  }
  void AttachControls(CWinMain&) override {
    AttachControl(IDC_TEST_LIST, list, *this);
    AttachControl(IDC_TEST_COMBO, combo, *this);
    AttachControl(IDC_TEST_SLIDER, slider, *this);
  }

  struct Command {
    WPARAM wParam;
    LPARAM lParam;
  };
  std::vector<Command> commands;
  WPARAM commandAtStart = 0;
  bool closeAtStart = false;
  CWinListBox list;
  CWinComboBox combo;
  CWinSliderCtrl slider;
};

class ModelessDialog : public testing::Test {
 protected:
  void SetUp() override {
    dialog_ = std::make_unique<TestDialog>();
    window_ = dialog_->CreateModeless(Instance(), nullptr);
    ASSERT_NE(window_, nullptr);
  }
  HWND Item(int id) const { return GetDlgItem(window_, id); }
  void FillList(int count) const {
    for (int i = 0; i < count; ++i) dialog_->list.AddString(L"item");
  }
  LPARAM PointOfItem(int index) const {
    RECT item;
    SendMessageA(Item(IDC_TEST_LIST), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    return MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  }
  LPARAM PointBelowItems() const {
    RECT item;
    const int last = static_cast<int>(SendMessageA(Item(IDC_TEST_LIST), LB_GETCOUNT, 0, 0)) - 1;
    SendMessageA(Item(IDC_TEST_LIST), LB_GETITEMRECT, last, reinterpret_cast<LPARAM>(&item));
    return MAKELPARAM(item.left + 5, item.bottom + 3);
  }
  int RightClickNotifications() const {
    int count = 0;
    for (const auto& command : dialog_->commands)
      if (LOWORD(command.wParam) == IDC_TEST_LIST && HIWORD(command.wParam) == CWinListBox::kRightClickSelection &&
          command.lParam == reinterpret_cast<LPARAM>(Item(IDC_TEST_LIST)))
        ++count;
    return count;
  }

  std::unique_ptr<TestDialog> dialog_;
  HWND window_ = nullptr;
};

TEST_F(ModelessDialog, ARightClickOnAnItemSelectsItAndTellsTheDialog) {
  FillList(5);
  SendMessageA(Item(IDC_TEST_LIST), WM_RBUTTONDOWN, MK_RBUTTON, PointOfItem(3));
  PumpMessages();
  EXPECT_EQ(dialog_->list.Selection(), 3);
  EXPECT_EQ(dialog_->list.LastRightClickHit(), 3u);
  EXPECT_EQ(RightClickNotifications(), 1);
}

TEST_F(ModelessDialog, ARightClickBelowTheItemsSelectsOnlyWhenTheNearestIsTheFirst) {
  FillList(1);
  SendMessageA(Item(IDC_TEST_LIST), WM_RBUTTONDOWN, MK_RBUTTON, PointBelowItems());
  PumpMessages();
  EXPECT_EQ(dialog_->list.Selection(), 0);
  EXPECT_EQ(RightClickNotifications(), 1);

  FillList(2);
  dialog_->list.SetSelection(1);
  SendMessageA(Item(IDC_TEST_LIST), WM_RBUTTONDOWN, MK_RBUTTON, PointBelowItems());
  PumpMessages();
  EXPECT_EQ(dialog_->list.Selection(), 1);
  EXPECT_EQ(RightClickNotifications(), 1);
}

TEST_F(ModelessDialog, WrappersPassTheirControlsMessagesOn) {
  dialog_->combo.AddString(L"first");
  dialog_->combo.AddString(L"second");
  dialog_->combo.SetSelection(1);
  EXPECT_EQ(dialog_->combo.Selection(), 1);
  dialog_->slider.SetUp(16, 12);
  EXPECT_EQ(dialog_->slider.Position(), 12);
  EXPECT_EQ(SendMessageA(Item(IDC_TEST_SLIDER), TBM_GETRANGEMAX, 0, 0), 16);
}

TEST_F(ModelessDialog, ClosingDestroysTheWindowInsteadOfEndingAModalLoop) {
  SendMessageA(window_, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window_));
}

TEST_F(ModelessDialog, TheOkCommandDestroysTheWindow) {
  SendMessageA(window_, WM_COMMAND, IDOK, 0);
  EXPECT_FALSE(IsWindow(window_));
}

TEST_F(ModelessDialog, DestroyingAWrapperGivesTheControlBackItsOwnProcedure) {
  const int kExtraList = 500;
  HWND list = CreateWindowExA(0, "ListBox", "", WS_CHILD | LBS_NOTIFY, 0, 0, 50, 50, window_,
                              reinterpret_cast<HMENU>(kExtraList), Instance(), nullptr);
  const auto original = GetWindowLongPtrW(list, GWLP_WNDPROC);
  auto wrapper = std::make_unique<CWinListBox>();
  AttachControl(kExtraList, *wrapper, *dialog_);
  EXPECT_EQ(GetWindowLongPtrW(list, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(DispatchProc));
  wrapper->AddString(L"item");
  wrapper.reset();
  EXPECT_EQ(GetWindowLongPtrW(list, GWLP_WNDPROC), original);
  EXPECT_EQ(BindingOf(list), nullptr);
  // Emptied on the way out, and still a working list box.
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 0);
  SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("again"));
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 1);
}

TEST_F(ModelessDialog, DestroyingTheDialogObjectDestroysItsWindow) {
  dialog_.reset();
  EXPECT_FALSE(IsWindow(window_));
}

TEST_F(ModelessDialog, AWindowDestroyedFirstLeavesNothingForTheObjects) {
  DestroyWindow(window_);
  EXPECT_FALSE(IsWindow(window_));
  dialog_.reset();
}

TEST(ModalDialog, EndsWithOneOnOkAndZeroOnCancelOrClose) {
  for (const auto& [command, expected] : {std::pair<WPARAM, INT_PTR>{IDOK, 1}, {IDCANCEL, 0}}) {
    TestDialog dialog;
    dialog.commandAtStart = command;
    EXPECT_EQ(dialog.DoModal(Instance(), nullptr), expected);
  }
  TestDialog closing;
  closing.closeAtStart = true;
  EXPECT_EQ(closing.DoModal(Instance(), nullptr), 0);
}

TEST(CenterWindow, PutsADialogInTheMiddleOfItsParent) {
  HWND parent = CreateWindowExA(0, "STATIC", "parent", WS_POPUP | WS_VISIBLE, 100, 50, 800, 600, nullptr, nullptr,
                                Instance(), nullptr);
  TestDialog dialog;
  HWND window = dialog.CreateModeless(Instance(), parent);
  RECT own;
  GetWindowRect(window, &own);
  const int width = own.right - own.left;
  const int height = own.bottom - own.top;
  EXPECT_EQ(own.left, 100 + (800 - width) / 2);
  EXPECT_EQ(own.top, 50 + (600 - height) / 2);
  EXPECT_EQ(dialog.LastPlacement().width, width);
  DestroyWindow(window);
  DestroyWindow(parent);
}

TEST(TrackToggle, CountsAPressOnceUntilItIsReleased) {
  TestDialog dialog;
  EXPECT_EQ(dialog.TrackToggle(0, 1), 1);
  EXPECT_EQ(dialog.TrackToggle(0, 1), 1);
  EXPECT_EQ(dialog.TrackToggle(0, 2), 0);
  EXPECT_EQ(dialog.TrackToggle(0, 1), 1);
  EXPECT_EQ(dialog.TrackToggle(0, 3), 0);
}

class CountingPage : public CSettingsPage {
 public:
  explicit CountingPage(std::int32_t* applied) : CSettingsPage(Instance(), IDD_FRAMEWORK_PAGE, applied) {}
  int initialised = 0;
  int appliedCount = 0;

 protected:
  LRESULT OnInitPage() override {
    ++initialised;
    return 1;
  }
  void OnApply() override { ++appliedCount; }
};

TEST(SettingsPage, OnlyPagesThatWereShownApply) {
  std::int32_t applied = 0;
  CountingPage shown(&applied);
  CountingPage neverShown(&applied);
  pageObjects[0] = &shown;
  pageObjects[1] = &neverShown;
  HPROPSHEETPAGE pages[2];
  const DLGPROC procedures[2] = {PageProc<0>, PageProc<1>};
  for (int i = 0; i < 2; ++i) {
    PROPSHEETPAGEA page = {};
    page.dwSize = sizeof page;
    page.hInstance = Instance();
    page.pszTemplate = MAKEINTRESOURCEA(IDD_FRAMEWORK_PAGE);
    page.pfnDlgProc = procedures[i];
    pages[i] = CreatePropertySheetPageA(&page);
  }
  PROPSHEETHEADERA header = {};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_MODELESS;
  header.hInstance = Instance();
  header.pszCaption = "sheet";
  header.nPages = 2;
  header.phpage = pages;
  HWND sheet = reinterpret_cast<HWND>(PropertySheetA(&header));
  ASSERT_NE(sheet, nullptr);
  EXPECT_EQ(shown.initialised, 1);
  EXPECT_EQ(neverShown.initialised, 0);
  EXPECT_EQ(applied, 0);

  SendMessageA(sheet, PSM_APPLY, 0, 0);
  EXPECT_EQ(applied, 1);
  EXPECT_EQ(shown.appliedCount, 1);
  EXPECT_EQ(neverShown.appliedCount, 0);
  EXPECT_NE(BindingOf(shown.Window()), nullptr);
  DestroyWindow(sheet);
}

}  // namespace
