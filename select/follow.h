// What detection and following do to the region of a followed window.
#pragma once

#include "platform/types.h"

namespace lv {

class CLvDlg;

// The enhancement off while the window is hidden; the region is kept.
void Suspend(CLvDlg& bar);
// The window is gone: off, idle, timer 1 killed. The cursors stay.
void EndFollowing(CLvDlg& bar);
// Sends the region again after a move (keep: the same place in the client
// area) or a resize (whole: the client area), off first, with the suspended
// look during the sends; f and g are the target's window and client
// rectangles read on this tick.
void Resend(CLvDlg& bar, const Rect& f, const Rect& g, bool whole);
// The followed window's region again, at the window's place now: after the
// screen changed size, which moves the region's place and its coding.
void ResendFollowed(CLvDlg& bar);

}  // namespace lv
