// The three steps timer 1 drives: selecting a window or a rectangle with the
// mouse while armed, finding a media player's video window while idle after
// start-up, and following the chosen window.
#pragma once

#include <cstdint>

namespace lv {

class CLvDlg;

// Timer 1 while a window is followed.
constexpr std::uint32_t kFollowPeriodMs = 300;

void RunSelectionStep(CLvDlg& bar);
// A selection in progress is dropped: its rubber band erased, the press
// forgotten. Every transition that ends the armed sub-mode, and every way
// out, calls it.
void AbandonSelection();
void DetectVideoWindow(CLvDlg& bar);
void FollowTarget(CLvDlg& bar);

}  // namespace lv
