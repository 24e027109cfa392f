// Where a region may lie, and sending it: no region reaches the link with
// corners off its monitor (or, inside an MDI application, outside the MDI
// client), and one with nothing left on the screen goes as the off frame.
#pragma once

#include "platform/types.h"
#include "select/selection_state.h"

namespace lv {

// The monitor that shows the region (the one holding most of it), and
// inside an MDI application the part of the MDI client's window rectangle
// that lies on it, as it is now.
Rect RegionBounds(const SelectionState& s, const Rect& region);
// The region within those bounds.
Rect ClampRegion(const SelectionState& s, const Rect& region);

// Each corner brought inside the bounds on its own, so that a rectangle
// dragged up or to the left keeps its direction (the link orders corners).
Rect ClampToBounds(const Rect& region, const Rect& bounds);

// Nothing of it is on the screen: no width or no height left.
inline bool IsEmptyRegion(const Rect& r) { return r.left == r.right || r.top == r.bottom; }

// Sets the link's region and sends it; an empty one is sent as off.
void SendRegionOrOff(const Rect& region);
// After an off frame: the region, unless nothing of it is on the screen,
// which the off frame already says.
void SendRegionUnlessEmpty(const Rect& region);
// The off frame, then the region unless it is empty.
void SendOffThenRegion(const Rect& region);

}  // namespace lv
