// ControlBinding: what ties a window to its object, kept in the window's user-data slot.
#pragma once

#include <windows.h>

class CWinMain;
class CWinDialog;

struct ControlBinding {
  CWinMain* object;
  WNDPROC previousProcedure;  // none for dialogs
  HWND window;
};

// The dialog object whose modal window is about to be created; bound by its first message.
extern CWinMain* creatingObject;

ControlBinding* BindingOf(HWND window);
ControlBinding* BindWindow(HWND window, CWinMain* object, WNDPROC previousProcedure);
// Restores a subclassed window's own procedure, empties the slot and frees the binding.
void ReleaseBinding(HWND window);
bool IsBoundTo(HWND window, const CWinMain& object);
// Releases the object's window binding, if the window still exists and belongs to the object.
void ReleaseBindingOf(const CWinMain& object);

// The window procedure of modal dialogs and of every subclassed control.
LRESULT CALLBACK DispatchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Subclasses the dialog's control id so that its messages reach wrapper.
void AttachControl(int id, CWinMain& wrapper, CWinDialog& dialog);
