// The three steps timer 1 drives: selecting a window or a rectangle with the
// mouse while armed, finding a media player's video window while idle after
// start-up, and following the chosen window.
#pragma once

namespace lv {

class CLvDlg;

void RunSelectionStep(CLvDlg& bar);
void DetectVideoWindow(CLvDlg& bar);
void FollowTarget(CLvDlg& bar);

}  // namespace lv
