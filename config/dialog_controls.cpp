// Radio groups and check boxes.
#include "dialog_controls.h"

void CheckRadioOfValue(HWND dialog, RadioGroup group, std::int32_t value) {
  for (int position = 0; position < group.count; ++position) {
    CheckDlgButton(dialog, group.firstId + position, position == value ? BST_CHECKED : BST_UNCHECKED);
  }
  // The platform keeps a tab stop on the checked button of a group only. With none checked, or
  // with the checked one greyed out, the first button that can take the focus gets one, or Tab
  // would never reach the group.
  if (value >= 0 && value < group.count && IsWindowEnabled(GetDlgItem(dialog, group.firstId + value))) return;
  for (int position = 0; position < group.count; ++position) {
    HWND button = GetDlgItem(dialog, group.firstId + position);
    if (!IsWindowEnabled(button)) continue;
    SetWindowLongW(button, GWL_STYLE, GetWindowLongW(button, GWL_STYLE) | WS_TABSTOP);
    return;
  }
}

void ReadRadioValue(HWND dialog, RadioGroup group, std::int32_t& value) {
  for (int position = 0; position < group.count; ++position) {
    if (IsDlgButtonChecked(dialog, group.firstId + position) == BST_CHECKED) value = position;
  }
}

void SetCheckBox(HWND dialog, int id, std::int32_t flag) {
  CheckDlgButton(dialog, id, flag != 0 ? BST_CHECKED : BST_UNCHECKED);
}

std::int32_t CheckBoxValue(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0; }
