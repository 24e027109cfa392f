// Fuzz target: the monitor's row decoder on any row of pixels, three bytes
// (red, green, blue) a pixel, up to 20000 pixels. The row is copied into a
// heap buffer of exactly its size, so that AddressSanitizer sees a read one
// past its end; a row that decodes must say so consistently.
#include <cstdint>
#include <cstring>
#include <memory>

#include "fuzz/fuzz_input.h"
#include "monitor/report.h"
#include "monitor/row_decoder.h"

namespace {

using namespace lv;
using monitor::DecodedRow;
using monitor::FrameKind;

constexpr std::size_t kMaxPixels = 20000;

void CheckDecoded(const DecodedRow& d, std::size_t count) {
    // Names exist for every answer.
    LV_FUZZ_CHECK(std::strcmp(monitor::KindName(d.kind), "?") != 0);
    LV_FUZZ_CHECK(std::strcmp(monitor::FaultName(d.fault), "?") != 0);
    LV_FUZZ_CHECK(d.Valid() == (d.fault == monitor::RowFault::None));
    LV_FUZZ_CHECK(d.SameFrame(d));
    if (!d.Valid()) return;
    LV_FUZZ_CHECK(count >= monitor::kMinRowPixels);
    LV_FUZZ_CHECK((d.header >> 4) == monitor::kHeaderPattern);
    LV_FUZZ_CHECK(d.header == (monitor::kHeaderPattern << 4 | std::uint32_t(d.kind) - 1));
    if (d.kind == FrameKind::Rows) LV_FUZZ_CHECK(d.top <= 0xFFF && d.bottom <= 0xFFF);
    if (d.kind == FrameKind::Columns && d.hasRed) {
        LV_FUZZ_CHECK(d.redFirst >= 2 && d.redFirst < d.redEnd && std::size_t(d.redEnd) <= count);
        LV_FUZZ_CHECK(d.left.first <= d.left.last && d.right.first <= d.right.last);
        LV_FUZZ_CHECK(d.left.last < d.right.first);
        (void)monitor::ColumnText(d.left);
        (void)monitor::ColumnText(d.right);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::size_t count = size / 3;
    if (count > kMaxPixels) count = kMaxPixels;
    std::unique_ptr<Colour[]> row(new Colour[count == 0 ? 1 : count]);
    for (std::size_t x = 0; x < count; ++x) {
        row[x] = MakeColour(data[3 * x], data[3 * x + 1], data[3 * x + 2]);
    }
    // An empty row as a pointer to nothing readable: null, as the decoder
    // allows, and a real pointer with a count of 0.
    const DecodedRow d = monitor::DecodeRow(count == 0 ? nullptr : row.get(), count);
    CheckDecoded(d, count);
    if (count == 0) CheckDecoded(monitor::DecodeRow(row.get(), 0), 0);
    return 0;
}
