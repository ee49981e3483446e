#include "ui/track_bar.h"

#include <commctrl.h>

int TrackBar::Position() const {
  return static_cast<int>(SendMessageW(handle_, TBM_GETPOS, 0, 0));
}

int TrackBar::Min() const { return static_cast<int>(SendMessageW(handle_, TBM_GETRANGEMIN, 0, 0)); }

int TrackBar::Max() const { return static_cast<int>(SendMessageW(handle_, TBM_GETRANGEMAX, 0, 0)); }

void TrackBar::SetPosition(int position) {
  SendMessageW(handle_, TBM_SETPOS, TRUE, position);
  Changed();
}

void TrackBar::SetRange(int min, int max) {
  SendMessageW(handle_, TBM_SETRANGEMIN, FALSE, min);
  SendMessageW(handle_, TBM_SETRANGEMAX, TRUE, max);
  // The control keeps its position inside the range, which may move it.
  Changed();
}

void TrackBar::Changed() const {
  if (onChange_) onChange_();
}
