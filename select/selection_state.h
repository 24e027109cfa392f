// The controller record: where the program stands (idle, armed or showing a
// region, suspended) and what selection and following know of the target.
// One record for the whole run; handlers change it in place.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace lv {

enum ActivationState : std::int32_t {
    STATE_IDLE = 0,       // nothing enhanced; the monitor was last told off
    STATE_ACTIVE = 1,     // armed, or a region is on the monitor
    STATE_SUSPENDED = 2,  // the followed window is hidden; the region is remembered
};

struct SelectionState {
    std::int32_t nState = STATE_IDLE;
    std::int32_t bDragging = 0;
    std::int32_t bRegionSent = 0;
    std::int32_t bFullScreen = 0;
    std::int32_t bFollowing = 0;
    std::int32_t bInMdi = 0;
    std::int32_t bParentZoomed = 0;
    std::int32_t nWatchShow = 0;  // 0 normal, 1 maximised, 2 minimised
    std::int32_t nFrameShow = 0;
    std::int32_t bAutoDetect = 1;
    Point ptAnchor, ptEnd, ptLast;
    Point ptClientTL, ptClientBR;
    Rect rcLastWindow, rcLastClient, rcMdiClient;
    HWindow hwndAnchor = HWindow::None;
    HWindow hwndTarget = HWindow::None;
    HWindow hwndTop = HWindow::None;
    HWindow hwndWatch = HWindow::None;
    HWindow hwndMdiClient = HWindow::None;
    HWindow hwndMdiChild = HWindow::None;
};

// The program's one record, alive from static initialisation to exit.
SelectionState& TheSelection();

}  // namespace lv
