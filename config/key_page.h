// CKeyDlg, the sixth page ("KEYCONFIG"): five inputs for each of twenty game functions, a reset to
// the game's defaults, and joypad use. A pick is stored in the bindings at once.
#pragma once

#include "key_bindings.h"
#include "settings_page.h"
#include "win_combo_box.h"
#include "win_list_box.h"

class CKeyDlg : public CSettingsPage {
 public:
  CKeyDlg(HINSTANCE instance, std::int32_t* applied);

  KeyBindings& Bindings() { return bindings_; }

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  void AttachControls(CWinMain& owner) override;

 protected:
  LRESULT OnInitPage() override;
  void OnApply() override;

 private:
  void SelectFunctionOfList();
  void ShowFunctionBindings();
  void StoreSlotSelection(int slot);
  void ConfirmAndResetBindings();
  void ResetBindings();

  CWinListBox functionList_;
  CWinComboBox slots_[kSlotCount];
  int selectedFunction_ = 0;
  KeyBindings bindings_;
};
