// The key page: the function list, the five slot lists and the reset.
#include "key_page.h"

#include <cstring>

#include "control_binding.h"
#include "dialog_controls.h"
#include "key_input_names.h"
#include "resource_ids.h"
#include "shift_jis.h"

CKeyDlg::CKeyDlg(HINSTANCE instance, std::int32_t* applied) : CSettingsPage(instance, IDD_KEY_PAGE, applied) {}

LRESULT CKeyDlg::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    // A right click selects a function too; the slot lists follow it, or a pick would land on
    // the function selected before.
    if (id == IDC_KEY_FUNCTION_LIST && (code == LBN_SELCHANGE || code == CWinListBox::kRightClickSelection)) {
      SelectFunctionOfList();
    } else if (id >= IDC_KEY_SLOT_1 && id < IDC_KEY_SLOT_1 + kSlotCount && code == CBN_SELCHANGE) {
      StoreSlotSelection(id - IDC_KEY_SLOT_1);
    } else if (id == IDC_KEY_RESET && code == BN_CLICKED) {
      ConfirmAndResetBindings();
    }
  }
  return CSettingsPage::HandleMessage(window, message, wParam, lParam);
}

void CKeyDlg::AttachControls(CWinMain&) {
  AttachControl(IDC_KEY_FUNCTION_LIST, functionList_, *this);
  for (int slot = 0; slot < kSlotCount; ++slot) AttachControl(IDC_KEY_SLOT_1 + slot, slots_[slot], *this);
}

LRESULT CKeyDlg::OnInitPage() {
  for (const char* function : kKeyFunctionNames) functionList_.AddString(WideFromShiftJis(function));
  // Never sorted: the position in a list is the input code.
  for (CWinComboBox& slot : slots_)
    for (const char* input : KeyInputNames) slot.AddString(WideFromShiftJis(input));
  functionList_.SetSelection(0);
  selectedFunction_ = 0;
  ShowFunctionBindings();
  SetCheckBox(window_, IDC_KEY_JOYPAD, bindings_.JOYPAD_USE);
  return 1;
}

void CKeyDlg::OnApply() { bindings_.JOYPAD_USE = CheckBoxValue(window_, IDC_KEY_JOYPAD); }

void CKeyDlg::SelectFunctionOfList() {
  const int selection = functionList_.Selection();
  if (selection < 0 || selection >= kFunctionCount) return;
  selectedFunction_ = selection;
  ShowFunctionBindings();
}

void CKeyDlg::ShowFunctionBindings() {
  for (int slot = 0; slot < kSlotCount; ++slot)
    slots_[slot].SetSelection(bindings_.current[selectedFunction_][slot]);
}

void CKeyDlg::StoreSlotSelection(int slot) {
  const int selection = slots_[slot].Selection();
  if (selection < 0 || selection >= kInputCodeCount) return;
  bindings_.current[selectedFunction_][slot] = static_cast<std::uint16_t>(selection);
}

void CKeyDlg::ConfirmAndResetBindings() {
  if (MessageBoxW(nullptr, WideFromShiftJis("キー設定を初期化しますか？").c_str(), WideFromShiftJis("確認").c_str(),
                  MB_YESNO | MB_ICONINFORMATION) == IDYES) {
    ResetBindings();
  }
  SelectFunctionOfList();
}

void CKeyDlg::ResetBindings() { std::memcpy(bindings_.current, bindings_.defaults, sizeof bindings_.current); }
