// Window-to-object bindings, the shared dispatch procedure and control subclassing.
#include "control_binding.h"

#include "win_dialog.h"

CWinMain* creatingObject = nullptr;

ControlBinding* BindingOf(HWND window) {
  return reinterpret_cast<ControlBinding*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

ControlBinding* BindWindow(HWND window, CWinMain* object, WNDPROC previousProcedure) {
  auto* binding = static_cast<ControlBinding*>(LocalAlloc(LPTR, sizeof(ControlBinding)));
  if (binding == nullptr) return nullptr;
  binding->object = object;
  binding->previousProcedure = previousProcedure;
  binding->window = window;
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(binding));
  return binding;
}

void ReleaseBinding(HWND window) {
  ControlBinding* binding = BindingOf(window);
  if (binding == nullptr) return;
  // Stop dispatch to the object first, then give the window back its own procedure.
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  if (binding->previousProcedure != nullptr) {
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(binding->previousProcedure));
  }
  LocalFree(binding);
}

bool IsBoundTo(HWND window, const CWinMain& object) {
  if (window == nullptr || !IsWindow(window)) return false;
  const ControlBinding* binding = BindingOf(window);
  return binding != nullptr && binding->object == &object;
}

void ReleaseBindingOf(const CWinMain& object) {
  if (IsBoundTo(object.Window(), object)) ReleaseBinding(object.Window());
}

LRESULT CALLBACK DispatchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ControlBinding* binding = BindingOf(window);
  if (binding == nullptr) {
    if (creatingObject == nullptr) return 0;
    binding = BindWindow(window, creatingObject, nullptr);
    // Valid for the first message of one new window only; a stale pointer would bind strangers.
    creatingObject = nullptr;
    if (binding == nullptr) return 0;
  }
  if (binding->window != window) return 0;
  const LRESULT result = binding->object->HandleMessage(window, message, wParam, lParam);
  // The window is gone after this message: the binding goes with it.
  if (message == WM_NCDESTROY) ReleaseBinding(window);
  return result;
}

// Subclassed through the wide functions: a control whose procedure is Unicode sees every text as
// UTF-16, where an ANSI one would have it converted through the system's code page on the way.
void AttachControl(int id, CWinMain& wrapper, CWinDialog& dialog) {
  HWND control = GetDlgItem(dialog.Window(), id);
  if (control == nullptr) return;
  wrapper.SetWindow(control);
  const auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_WNDPROC));
  if (BindWindow(control, wrapper.Owner(), previous) == nullptr) return;
  SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DispatchProc));
  wrapper.SetParentDialog(dialog.Window(), id);
}
