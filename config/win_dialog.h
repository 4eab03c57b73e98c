// CWinDialog: a dialog with the program's default reactions, run modally or modelessly.
#pragma once

#include "win_main.h"

class CWinDialog : public CWinMain {
 public:
  // The default dialog handler.
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  // Binds the dialog's control wrappers; a dialog without wrappers keeps this empty one.
  virtual void AttachControls(CWinMain& owner);
  virtual INT_PTR DoModal(HINSTANCE instance, HWND parent);
  virtual void EndOk();
  virtual void EndCancel();

  // Creates the dialog without a modal loop; closing it destroys its window.
  HWND CreateModeless(HINSTANCE instance, HWND parent);

 protected:
  CWinDialog(HINSTANCE instance, int templateNumber);
  // Destroys a modeless window still open and frees the dialog's binding.
  ~CWinDialog();

  // The default reaction to WM_INITDIALOG, which every page's initialisation starts with:
  // remember the window, centre it, set its text, attach the controls, show it.
  void InitializeWindow(HWND window);

  HINSTANCE instance_;
  char caption_[128] = "サンプルダイアログ";
  HWND parent_ = nullptr;

 private:
  void End(INT_PTR result);

  int templateNumber_;
  bool modeless_ = false;
};
