// The default dialog reactions, modal and modeless runs, and the dialog's teardown.
#include "win_dialog.h"

#include <cstring>

#include "center_window.h"
#include "control_binding.h"
#include "shift_jis.h"

CWinDialog::CWinDialog(HINSTANCE instance, int templateNumber)
    : instance_(instance), templateNumber_(templateNumber) {}

CWinDialog::~CWinDialog() {
  // Destroying the window releases its binding on the way (WM_NCDESTROY).
  if (modeless_ && IsBoundTo(window_, *this)) DestroyWindow(window_);
  ReleaseBindingOf(*this);
}

void CWinDialog::InitializeWindow(HWND window) {
  window_ = window;
  CenterWindow(parent_, *this);
  std::memcpy(text_, caption_, sizeof text_);
  SetWindowTextW(window, WideFromShiftJis(text_).c_str());
  AttachControls(*owner_);
  ShowWindow(window, SW_SHOWNA);
}

LRESULT CWinDialog::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      InitializeWindow(window);
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC context = BeginPaint(window, &paint);
      SetBkColor(context, RGB(0, 0, 0));
      SetTextColor(context, RGB(255, 0, 0));
      SetBkMode(context, TRANSPARENT);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_CLOSE:
      End(0);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) EndOk();
      if (LOWORD(wParam) == IDCANCEL) EndCancel();
      return 0;
    default:
      return 0;
  }
}

void CWinDialog::AttachControls(CWinMain&) {}

INT_PTR CWinDialog::DoModal(HINSTANCE instance, HWND parent) {
  instance_ = instance;
  modeless_ = false;
  parent_ = parent;
  if (owner_ != nullptr) creatingObject = owner_;
  return DialogBoxParamW(instance, MAKEINTRESOURCEW(templateNumber_), parent,
                         reinterpret_cast<DLGPROC>(DispatchProc), 0);
}

HWND CWinDialog::CreateModeless(HINSTANCE instance, HWND parent) {
  instance_ = instance;
  modeless_ = true;
  parent_ = parent;
  creatingObject = owner_;
  return CreateDialogParamW(instance, MAKEINTRESOURCEW(templateNumber_), parent,
                            reinterpret_cast<DLGPROC>(DispatchProc), 0);
}

void CWinDialog::EndOk() { End(1); }

void CWinDialog::EndCancel() { End(0); }

void CWinDialog::End(INT_PTR result) {
  if (modeless_) {
    DestroyWindow(window_);
  } else {
    EndDialog(window_, result);
  }
}
