// Works the property sheet of a running veskconf.exe from outside, the way a player does: clicks
// on tabs, buttons and list items, picks from drop-down lists, drags trackbars, types on the
// keyboard. Texts are read as UTF-16, whatever the system's code page.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class SheetDriver {
 public:
  SheetDriver(HWND sheet, HANDLE process) : sheet_(sheet), process_(process) {}

  HWND Sheet() const { return sheet_; }
  // Clicks on the label of tab index (0 = the first tab).
  void SelectTab(int index) const;
  int CurrentTab() const;
  std::wstring TabCaption(int index) const;
  int TabCount() const;
  HWND Page() const;
  HWND Control(int id) const { return GetDlgItem(Page(), id); }

  // A click that returns once the program has handled it.
  void Click(int id) const;
  // A click that opens a modal window, so it cannot be waited for.
  void ClickWithoutWaiting(int id) const;
  bool IsChecked(int id) const;
  bool IsEnabled(int id) const;
  std::wstring Text(int id) const;

  // Opens the drop-down list and clicks its item index.
  void Pick(int comboId, int index) const;
  int Selection(int comboId) const;
  std::wstring SelectedText(int comboId) const;
  int ItemCount(int comboId) const;
  std::wstring ItemText(int comboId, int index) const;

  void ClickListItem(int listId, int index) const;
  void RightClickListItem(int listId, int index) const;
  // A right click below the last item of the list.
  void RightClickBelowItems(int listId) const;
  int ListSelection(int listId) const;
  int ListCount(int listId) const;
  std::wstring ListItemText(int listId, int index) const;

  // Drags the thumb of trackbar id to position.
  void DragSlider(int id, int position) const;
  // A key message straight to one control, without the dialog's keyboard handling.
  void PressKey(int id, WORD virtualKey) const;
  int SliderPosition(int id) const;
  int SliderMaximum(int id) const;

  void PressOk() const;
  void PressCancel() const;

  // Keystrokes as the keyboard gives them, to the window that has the focus: the modifiers
  // (VK_CONTROL, VK_SHIFT, VK_MENU) are held down around the key.
  void Type(WORD virtualKey, const std::vector<WORD>& modifiers = {}) const;
  // The window that has the keyboard focus in the program, and its control id.
  HWND Focus() const;
  int FocusId() const { return GetDlgCtrlID(Focus()); }

  // Saves the sheet's window as it is on the screen into a 24-bit BMP file.
  bool SavePicture(const std::string& path) const;

 private:
  RECT ItemRectangle(HWND list, int index) const;
  void ClickAt(HWND window, POINT point, UINT down, UINT up) const;

  HWND sheet_;
  HANDLE process_;
};

// A message box of the program: its text, its icon, its buttons.
std::wstring MessageBoxText(HWND box);
// Whether the box shows the standard icon (IDI_WARNING, ...), compared pixel by pixel on the screen.
bool MessageBoxShowsIcon(HWND box, LPCSTR standardIcon);
bool MessageBoxHasButton(HWND box, int id);
// Whether the box shows the warning icon (waiting up to timeoutMs for it to paint) and an OK
// button alone.
bool IsOkOnlyWarning(HWND box, DWORD timeoutMs);
void AnswerMessageBox(HWND box, int id);
