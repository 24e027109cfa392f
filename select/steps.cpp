// The selection, detection and following steps are not built yet: each tick
// reaches them through the state machine's dispatch and they change nothing.
#include "select/steps.h"

namespace lv {

void RunSelectionStep(CLvDlg&) {}
void DetectVideoWindow(CLvDlg&) {}
void FollowTarget(CLvDlg&) {}

}  // namespace lv
