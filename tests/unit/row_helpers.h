// Small readers of a painted row for the tests.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/types.h"

namespace lv::test {

inline bool RedAt(const std::vector<Colour>& row, int x) { return RedOf(row[std::size_t(x)]) == 255; }
inline bool GreenAt(const std::vector<Colour>& row, int x) { return GreenOf(row[std::size_t(x)]) == 255; }
inline bool BlueAt(const std::vector<Colour>& row, int x) { return BlueOf(row[std::size_t(x)]) == 255; }

// The x range [first, last] where red is 255, or {-1, -1}; fails the caller
// through `contiguous` when red shows in more than one stretch.
struct RedRun {
    int first = -1;
    int last = -1;
    bool contiguous = true;
};

inline RedRun FindRedRun(const std::vector<Colour>& row) {
    RedRun run;
    for (int x = 0; x < int(row.size()); ++x) {
        if (!RedAt(row, x)) continue;
        if (run.first < 0) {
            run.first = x;
        } else if (run.last != x - 1) {
            run.contiguous = false;
        }
        run.last = x;
    }
    return run;
}

}  // namespace lv::test
