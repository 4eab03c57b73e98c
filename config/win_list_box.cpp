// The list box's own reactions: emptied on destruction, selection on a right click.
#include "win_list_box.h"

#include <windowsx.h>

#include "control_binding.h"

LRESULT CWinListBox::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      Clear();
      return 0;
    case WM_RBUTTONDOWN:
      SelectOnRightClick(lParam);
      return 0;
    default:
      return CWinControl::HandleMessage(window, message, wParam, lParam);
  }
}

void CWinListBox::SelectOnRightClick(LPARAM position) {
  const int x = GET_X_LPARAM(position);
  const int y = GET_Y_LPARAM(position);
  const auto hit = static_cast<DWORD>(Send(LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y)));
  // High word 0: inside the list. Exactly 0x10000: outside, nearest item 0.
  const bool inside = HIWORD(hit) == 0;
  rightClickHit_ = hit == 0x10000 ? 0 : hit;
  if (!inside && hit != 0x10000) return;
  SetSelection(LOWORD(rightClickHit_));
  PostMessageW(ParentDialog(), WM_COMMAND, MAKEWPARAM(ItemId(), kRightClickSelection),
               reinterpret_cast<LPARAM>(window_));
}

std::wstring CWinListBox::SelectedText() const {
  const int selection = Selection();
  if (selection == LB_ERR) return {};
  const auto length = Send(LB_GETTEXTLEN, static_cast<WPARAM>(selection));
  if (length == LB_ERR) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  if (Send(LB_GETTEXT, static_cast<WPARAM>(selection), reinterpret_cast<LPARAM>(&text[0])) == LB_ERR) return {};
  text.resize(static_cast<std::size_t>(length));
  return text;
}

CWinListBox::~CWinListBox() {
  if (IsBoundTo(window_, *this)) Clear();
}
