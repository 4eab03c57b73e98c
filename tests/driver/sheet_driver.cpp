// SheetDriver: mouse and keyboard input sent to the controls of another process.
#include "sheet_driver.h"

#include <commctrl.h>

#include <vector>

#include "remote_memory.h"
#include "veskconf_process.h"

namespace {

POINT Centre(const RECT& area) { return {(area.left + area.right) / 2, (area.top + area.bottom) / 2}; }

std::wstring WindowText(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

std::wstring ItemTextOf(HWND control, UINT message, int index) {
  wchar_t text[512] = {};
  SendMessageW(control, message, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
  return text;
}

INPUT KeyInput(WORD virtualKey, DWORD flags) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = flags;
  return input;
}

}  // namespace

void SheetDriver::ClickAt(HWND window, POINT point, UINT down, UINT up) const {
  const LPARAM position = MAKELPARAM(point.x, point.y);
  const WPARAM buttons = down == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON;
  SendMessageA(window, WM_MOUSEMOVE, 0, position);
  SendMessageA(window, down, buttons, position);
  if (up != 0) SendMessageA(window, up, 0, position);
}

void SheetDriver::SelectTab(int index) const {
  HWND tab = reinterpret_cast<HWND>(SendMessageA(sheet_, PSM_GETTABCONTROL, 0, 0));
  RECT label = {};
  RemoteMemory memory(process_, sizeof label);
  memory.SendWith(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), label);
  ClickAt(tab, Centre(label), WM_LBUTTONDOWN, WM_LBUTTONUP);
}

int SheetDriver::CurrentTab() const {
  HWND tab = reinterpret_cast<HWND>(SendMessageA(sheet_, PSM_GETTABCONTROL, 0, 0));
  return static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0));
}

int SheetDriver::TabCount() const {
  HWND tab = reinterpret_cast<HWND>(SendMessageA(sheet_, PSM_GETTABCONTROL, 0, 0));
  return static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
}

std::wstring SheetDriver::TabCaption(int index) const {
  HWND tab = reinterpret_cast<HWND>(SendMessageA(sheet_, PSM_GETTABCONTROL, 0, 0));
  // The item and its text buffer both live in the other process.
  struct {
    TCITEMW item;
    wchar_t text[128];
  } block = {};
  RemoteMemory memory(process_, sizeof block);
  block.item.mask = TCIF_TEXT;
  block.item.pszText = reinterpret_cast<wchar_t*>(memory.Address() + offsetof(decltype(block), text));
  block.item.cchTextMax = 128;
  memory.SendWith(tab, TCM_GETITEMW, static_cast<WPARAM>(index), block);
  block.text[127] = L'\0';
  return block.text;
}

HWND SheetDriver::Page() const { return reinterpret_cast<HWND>(SendMessageA(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0)); }

void SheetDriver::Click(int id) const { SendMessageA(Control(id), BM_CLICK, 0, 0); }

void SheetDriver::ClickWithoutWaiting(int id) const { PostMessageA(Control(id), BM_CLICK, 0, 0); }

bool SheetDriver::IsChecked(int id) const { return SendMessageA(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

bool SheetDriver::IsEnabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }

std::wstring SheetDriver::Text(int id) const { return WindowText(Control(id)); }

void SheetDriver::Pick(int comboId, int index) const {
  HWND combo = Control(comboId);
  SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
  // Wine does not carry this message's pointer across processes.
  COMBOBOXINFO parts = {};
  parts.cbSize = sizeof parts;
  RemoteMemory memory(process_, sizeof parts);
  memory.SendWith(combo, CB_GETCOMBOBOXINFO, 0, parts);
  HWND list = parts.hwndList;
  SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
  const POINT item = Centre(ItemRectangle(list, index));
  ClickAt(list, item, WM_LBUTTONDOWN, WM_LBUTTONUP);
}

int SheetDriver::Selection(int comboId) const {
  return static_cast<int>(SendMessageA(Control(comboId), CB_GETCURSEL, 0, 0));
}

std::wstring SheetDriver::SelectedText(int comboId) const { return ItemText(comboId, Selection(comboId)); }

int SheetDriver::ItemCount(int comboId) const {
  return static_cast<int>(SendMessageA(Control(comboId), CB_GETCOUNT, 0, 0));
}

std::wstring SheetDriver::ItemText(int comboId, int index) const {
  return ItemTextOf(Control(comboId), CB_GETLBTEXT, index);
}

RECT SheetDriver::ItemRectangle(HWND list, int index) const {
  // Messages below WM_USER carry their pointers across processes themselves.
  RECT area = {};
  SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&area));
  return area;
}

void SheetDriver::ClickListItem(int listId, int index) const {
  HWND list = Control(listId);
  SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
  ClickAt(list, Centre(ItemRectangle(list, index)), WM_LBUTTONDOWN, WM_LBUTTONUP);
}

void SheetDriver::RightClickListItem(int listId, int index) const {
  HWND list = Control(listId);
  SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
  ClickAt(list, Centre(ItemRectangle(list, index)), WM_RBUTTONDOWN, WM_RBUTTONUP);
}

void SheetDriver::RightClickBelowItems(int listId) const {
  HWND list = Control(listId);
  RECT client;
  GetClientRect(list, &client);
  const int last = ListCount(listId) - 1;
  const RECT item = ItemRectangle(list, last);
  const POINT below = {(client.left + client.right) / 2, item.bottom + 2};
  ClickAt(list, below.y < client.bottom ? below : POINT{below.x, client.bottom - 1}, WM_RBUTTONDOWN, WM_RBUTTONUP);
}

int SheetDriver::ListSelection(int listId) const {
  return static_cast<int>(SendMessageA(Control(listId), LB_GETCURSEL, 0, 0));
}

int SheetDriver::ListCount(int listId) const {
  return static_cast<int>(SendMessageA(Control(listId), LB_GETCOUNT, 0, 0));
}

std::wstring SheetDriver::ListItemText(int listId, int index) const {
  return ItemTextOf(Control(listId), LB_GETTEXT, index);
}

void SheetDriver::DragSlider(int id, int position) const {
  HWND slider = Control(id);
  RECT thumb = {};
  RECT channel = {};
  RemoteMemory memory(process_, sizeof(RECT));
  memory.SendWith(slider, TBM_GETTHUMBRECT, 0, thumb);
  memory.SendWith(slider, TBM_GETCHANNELRECT, 0, channel);
  const int maximum = SliderMaximum(id);
  const int thumbWidth = thumb.right - thumb.left;
  // The thumb's centre runs from half a thumb inside the channel's left end to its right end.
  const int usable = (channel.right - channel.left) - thumbWidth;
  const int targetX = channel.left + thumbWidth / 2 + (maximum > 0 ? usable * position / maximum : 0);
  const POINT grab = Centre(thumb);
  SendMessageA(slider, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(grab.x, grab.y));
  SendMessageA(slider, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(targetX, grab.y));
  SendMessageA(slider, WM_LBUTTONUP, 0, MAKELPARAM(targetX, grab.y));
}

void SheetDriver::PressKey(int id, WORD virtualKey) const {
  HWND control = Control(id);
  SendMessageA(control, WM_KEYDOWN, virtualKey, 1);
  SendMessageA(control, WM_KEYUP, virtualKey, 0xC0000001);
}

int SheetDriver::SliderPosition(int id) const { return static_cast<int>(SendMessageA(Control(id), TBM_GETPOS, 0, 0)); }

int SheetDriver::SliderMaximum(int id) const {
  return static_cast<int>(SendMessageA(Control(id), TBM_GETRANGEMAX, 0, 0));
}

void SheetDriver::PressOk() const { PostMessageA(GetDlgItem(sheet_, IDOK), BM_CLICK, 0, 0); }

void SheetDriver::PressCancel() const { PostMessageA(GetDlgItem(sheet_, IDCANCEL), BM_CLICK, 0, 0); }

void SheetDriver::Type(WORD virtualKey, const std::vector<WORD>& modifiers) const {
  // Posted key messages would not change the keyboard state that Ctrl+Tab and Alt are read from:
  // the keys go through the platform's input queue, to the focus of the foreground window.
  std::vector<INPUT> inputs;
  for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, 0));
  inputs.push_back(KeyInput(virtualKey, 0));
  inputs.push_back(KeyInput(virtualKey, KEYEVENTF_KEYUP));
  for (auto modifier = modifiers.rbegin(); modifier != modifiers.rend(); ++modifier)
    inputs.push_back(KeyInput(*modifier, KEYEVENTF_KEYUP));
  SetForegroundWindow(sheet_);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

HWND SheetDriver::Focus() const {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(sheet_, nullptr), &info);
  return info.hwndFocus;
}

bool SheetDriver::SavePicture(const std::string& path) const {
  RECT area;
  GetWindowRect(sheet_, &area);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  GdiFlush();
  const DWORD rowBytes = ((width * 3 + 3) / 4) * 4;
  const DWORD imageBytes = rowBytes * height;
  BITMAPFILEHEADER file = {};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = file.bfOffBits + imageBytes;
  bool saved = false;
  HANDLE output = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (output != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    saved = WriteFile(output, &file, sizeof file, &written, nullptr) &&
            WriteFile(output, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr) &&
            WriteFile(output, bits, imageBytes, &written, nullptr);
    CloseHandle(output);
  }
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return saved;
}

std::wstring MessageBoxText(HWND box) {
  // The message text is the static control with id 0xFFFF.
  return WindowText(GetDlgItem(box, 0xFFFF));
}

namespace {

BOOL CALLBACK FindIconControl(HWND child, LPARAM result) {
  if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) return TRUE;
  *reinterpret_cast<HWND*>(result) = child;
  return FALSE;
}

// The 32-bit pixels of an area of the screen, or of an icon drawn on a plain background.
std::vector<DWORD> Pixels(int width, int height, HDC source, int x, int y, HICON icon, COLORREF background) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  if (icon == nullptr) {
    BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
  } else {
    HBRUSH brush = CreateSolidBrush(background);
    RECT area = {0, 0, width, height};
    FillRect(memory, &area, brush);
    DeleteObject(brush);
    DrawIconEx(memory, 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
  }
  GdiFlush();
  std::vector<DWORD> pixels(static_cast<const DWORD*>(bits), static_cast<const DWORD*>(bits) + width * height);
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  for (DWORD& pixel : pixels) pixel &= 0x00FFFFFF;
  return pixels;
}

}  // namespace

bool MessageBoxShowsIcon(HWND box, LPCSTR standardIcon) {
  HWND iconControl = nullptr;
  EnumChildWindows(box, FindIconControl, reinterpret_cast<LPARAM>(&iconControl));
  if (iconControl == nullptr) return false;
  RECT area;
  GetWindowRect(iconControl, &area);
  const int size = GetSystemMetrics(SM_CXICON);
  HICON expected = LoadIconA(nullptr, standardIcon);
  // Where the icon is opaque it looks the same on black and on white; compare only there.
  const std::vector<DWORD> onBlack = Pixels(size, size, nullptr, 0, 0, expected, RGB(0, 0, 0));
  const std::vector<DWORD> onWhite = Pixels(size, size, nullptr, 0, 0, expected, RGB(255, 255, 255));
  HDC screen = GetDC(nullptr);
  const std::vector<DWORD> shown = Pixels(size, size, screen, area.left, area.top, nullptr, 0);
  ReleaseDC(nullptr, screen);
  int opaque = 0;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (onBlack[i] != onWhite[i]) continue;
    ++opaque;
    if (shown[i] != onBlack[i]) return false;
  }
  return opaque > size * size / 4;
}

bool MessageBoxHasButton(HWND box, int id) {
  HWND button = GetDlgItem(box, id);
  return button != nullptr && IsWindowVisible(button);
}

bool IsOkOnlyWarning(HWND box, DWORD timeoutMs) {
  return WaitUntil([&] { return MessageBoxShowsIcon(box, IDI_WARNING); }, timeoutMs) &&
         !MessageBoxShowsIcon(box, IDI_INFORMATION) && MessageBoxHasButton(box, IDOK) &&
         !MessageBoxHasButton(box, IDCANCEL);
}

void AnswerMessageBox(HWND box, int id) { PostMessageA(GetDlgItem(box, id), BM_CLICK, 0, 0); }
