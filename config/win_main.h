// CWinMain: an object bound to one window, with its placement and window text.
#pragma once

#include "win_cmd_target.h"

class CWinMain : public CWinCmdTarget {
 public:
  // The reactions of a plain top-level window.
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

  HWND Window() const { return window_; }
  void SetWindow(HWND window) { window_ = window; }
  // The object that handles this object's window and receives AttachControls.
  CWinMain* Owner() const { return owner_; }
  HWND ParentDialog() const { return parentDialog_; }
  int ItemId() const { return itemId_; }
  void SetParentDialog(HWND dialog, int itemId) {
    parentDialog_ = dialog;
    itemId_ = itemId;
  }

  // The rectangles and the result of the last centring.
  struct Placement {
    RECT parent{};
    RECT own{};
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
  };
  Placement& LastPlacement() { return placement_; }

 protected:
  CWinMain() = default;
  ~CWinMain() = default;

  HWND window_ = nullptr;
  CWinMain* owner_ = this;
  char text_[128] = "オルヴェル汎用システム２";

 private:
  Placement placement_;
  int itemId_ = 0;
  HWND parentDialog_ = nullptr;
};
