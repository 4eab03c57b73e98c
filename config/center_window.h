// CenterWindow: moves an object's window to the centre of a parent window.
#pragma once

#include <windows.h>

class CWinMain;

// A minimised parent is replaced by the desktop. Without a parent nothing moves: a property
// page is placed by its sheet.
void CenterWindow(HWND parent, CWinMain& object);
