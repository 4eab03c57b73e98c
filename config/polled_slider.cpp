// Polling a trackbar and rewriting its label.
#include "polled_slider.h"

#include "control_binding.h"
#include "shift_jis.h"
#include "win_dialog.h"

void PolledSlider::Attach(CWinDialog& page) { AttachControl(id_, control_, page); }

void PolledSlider::Start(int position) {
  control_.SetUp(highest_, position);
  cached_ = position;
  WriteLabel();
}

void PolledSlider::Poll() {
  const int position = control_.Position();
  if (position == cached_) return;
  cached_ = position;
  WriteLabel();
}

void PolledSlider::WriteLabel() {
  if (writeLabel_ == nullptr) return;
  writeLabel_(label_, sizeof label_, cached_);
  SetDlgItemTextW(control_.ParentDialog(), labelId_, WideFromShiftJis(label_).c_str());
}
