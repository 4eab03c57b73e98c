// Radio groups and check boxes.
#include "dialog_controls.h"

void CheckRadioOfValue(HWND dialog, RadioGroup group, std::int32_t value) {
  for (int position = 0; position < group.count; ++position) {
    CheckDlgButton(dialog, group.firstId + position, position == value ? BST_CHECKED : BST_UNCHECKED);
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
