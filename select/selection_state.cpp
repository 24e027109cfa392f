#include "select/selection_state.h"

namespace lv {

namespace {
SelectionState g_selection;
}

SelectionState& TheSelection() { return g_selection; }

}  // namespace lv
