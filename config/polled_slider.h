// A page's trackbar that is read on the page's 50 ms timer rather than through scroll messages:
// its last position is cached, and its value label, if it has one, is rewritten only when the
// position has changed.
#pragma once

#include <cstddef>

#include "win_slider_ctrl.h"

class CWinDialog;

class PolledSlider {
 public:
  using LabelWriter = void (*)(char* text, std::size_t size, int position);

  PolledSlider(int id, int highest, int labelId = 0, LabelWriter writeLabel = nullptr)
      : id_(id), highest_(highest), labelId_(labelId), writeLabel_(writeLabel) {}

  void Attach(CWinDialog& page);
  // Sets the trackbar up at position, caches it and writes the label.
  void Start(int position);
  void Poll();
  int Position() const { return cached_; }

 private:
  void WriteLabel();

  CWinSliderCtrl control_;
  int id_;
  int highest_;
  int labelId_;
  LabelWriter writeLabel_;
  int cached_ = 0;
  char label_[64] = {};
};
