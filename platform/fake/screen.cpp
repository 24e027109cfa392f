#include "platform/fake/screen.h"

#include <algorithm>
#include <cstring>

#include "platform/constants.h"

namespace lv::fake {

Colour DesktopColourAt(std::int32_t x) {
    return MakeColour(0x20, 0x60 + (x % 16), 0x90);
}

FakeScreen::FakeScreen(FakeClock& clock, EventLog& log, std::int32_t width, std::int32_t height)
    : primaryHeight(height), clock_(clock), log_(log) {
    SetWidth(width);
}

int FakeScreen::AddMonitor(const Rect& rect, std::uint32_t dpi) {
    Monitor m;
    m.rect = rect;
    m.dpi = dpi;
    m.device = "\\\\.\\DISPLAY" + std::to_string(monitors.size() + 2);
    for (std::int32_t x = 0; x < rect.Width(); ++x) m.desktop.push_back(DesktopColourAt(x));
    m.row = m.desktop;
    monitors.push_back(m);
    return int(monitors.size()) - 1;
}

int FakeScreen::GetMonitors(MonitorInfo* out, int max) {
    int n = 0;
    auto add = [&](const Rect& rect, bool primary, std::uint32_t dpi, const std::string& device) {
        if (n >= max) return;
        MonitorInfo& m = out[n++];
        m.rect = rect;
        m.primary = primary;
        m.dpi = dpi;
        const std::size_t length = std::min(device.size(), sizeof m.device - 1);
        std::memcpy(m.device, device.data(), length);
        m.device[length] = '\0';
    };
    add(Rect{0, 0, Width(), primaryHeight}, true, primaryDpi, kPrimaryDevice);
    for (const Monitor& m : monitors) {
        if (!m.removed) add(m.rect, false, m.dpi, m.device);
    }
    return n;
}

HDc FakeScreen::OpenMonitorDC(const char* device) {
    if (failOpen) return HDc::None;
    int index = -2;
    if (std::string(device) == kPrimaryDevice) index = -1;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        if (!monitors[i].removed && monitors[i].device == device) index = int(i);
    }
    if (index == -2) return HDc::None;
    const std::uintptr_t h = nextHandle_++;
    DcState state;
    state.monitor = index;
    dcs_[h] = state;
    ++openDCs;
    log_.Add(clock_.Now(), std::string("monitor dc ") + device);
    return HDc(h);
}

std::vector<Colour>& FakeScreen::RowOf(const DcState& dc) {
    return dc.monitor < 0 ? row_ : monitors[std::size_t(dc.monitor)].row;
}

void FakeScreen::SetWidth(std::int32_t width) {
    desktop_.assign(std::size_t(width > 0 ? width : 0), 0);
    for (std::int32_t x = 0; x < width; ++x) desktop_[std::size_t(x)] = DesktopColourAt(x);
    row_ = desktop_;
}

void FakeScreen::AddWindowFrame(std::int32_t left, std::int32_t right) {
    windowFrames_.emplace_back(left, right);
}

HDc FakeScreen::OpenScreenDC() {
    if (failOpen) return HDc::None;
    const std::uintptr_t h = nextHandle_++;
    dcs_[h] = DcState{};
    ++openDCs;
    return HDc(h);
}

void FakeScreen::CloseScreenDC(HDc dc) {
    auto it = dcs_.find(std::uintptr_t(dc));
    if (it == dcs_.end()) return;
    if (it->second.drew) {
        if (it->second.monitor < 0) {
            frames.push_back(Frame{clock_.Now(), row_});
        } else {
            Monitor& m = monitors[std::size_t(it->second.monitor)];
            m.frames.push_back(m.row);
        }
        log_.Add(clock_.Now(), "screen frame");
    }
    dcs_.erase(it);
    --openDCs;
}

std::int32_t FakeScreen::GetHorzRes(HDc dc) {
    auto it = dcs_.find(std::uintptr_t(dc));
    return it == dcs_.end() ? 0 : std::int32_t(RowOf(it->second).size());
}

HPen FakeScreen::CreateSolidPen(Colour colour) {
    if (failPens || std::count(refusedPens.begin(), refusedPens.end(), colour) != 0) return HPen::None;
    const std::uintptr_t h = nextHandle_++;
    pens_[h] = colour;
    ++pensCreated;
    return HPen(h);
}

HPen FakeScreen::SelectPen(HDc dc, HPen pen) {
    ++selects;
    auto it = dcs_.find(std::uintptr_t(dc));
    if (it == dcs_.end()) return HPen::None;
    // None stands for the DC's stock pen, which can always be put back.
    if (!IsNone(pen) && !pens_.count(std::uintptr_t(pen))) return HPen::None;
    HPen previous = it->second.pen;
    it->second.pen = pen;
    return previous;
}

void FakeScreen::DeletePen(HPen pen) {
    if (pens_.erase(std::uintptr_t(pen))) ++pensDeleted;
}

void FakeScreen::MoveTo(HDc dc, std::int32_t x, std::int32_t y) {
    ++moves;
    auto it = dcs_.find(std::uintptr_t(dc));
    if (it != dcs_.end()) {
        it->second.x = x;
        it->second.y = y;
    }
}

// Lines run along a row: the fake keeps row 0 only, and a line to another
// row counts all its pixels as off row 0.
void FakeScreen::LineTo(HDc dc, std::int32_t x, std::int32_t y) {
    ++lines;
    auto it = dcs_.find(std::uintptr_t(dc));
    if (it == dcs_.end()) return;
    DcState& state = it->second;
    // The DC's stock pen is black.
    auto pen = pens_.find(std::uintptr_t(state.pen));
    const Colour colour = pen == pens_.end() ? 0 : pen->second;
    const std::int64_t from = state.x;
    const std::int32_t row = state.y == 0 && y == 0 ? 0 : 1;
    std::vector<Colour>& pixels = RowOf(state);
    if (x > from) {
        for (std::int64_t p = from; p < x; ++p) Paint(pixels, p, row, colour);
    } else {
        for (std::int64_t p = from; p > x; --p) Paint(pixels, p, row, colour);
    }
    state.x = x;
    state.y = y;
    state.drew = true;
}

void FakeScreen::Paint(std::vector<Colour>& pixels, std::int64_t x, std::int32_t y, Colour colour) {
    if (y == 0 && x >= 0 && x < std::int64_t(pixels.size())) {
        pixels[std::size_t(x)] = colour;
    } else {
        ++pixelsOffRow;
    }
}

bool FakeScreen::InFrame(std::int32_t x) const {
    for (const auto& f : windowFrames_) {
        if (x >= f.first && x < f.second) return true;
    }
    return false;
}

void FakeScreen::RedrawScreenRect(const Rect& rect, std::uint32_t flags) {
    redraws.push_back(Redraw{clock_.Now(), rect, flags});
    log_.Add(clock_.Now(), "screen redraw");
    // Row 0 is repainted only when the rectangle covers it, and then as the
    // desktop does it: invalidating marks the pixels; the background comes
    // back only with an erase, a window's frame only with a frame repaint.
    if (!(flags & kRdwInvalidate) || !(flags & kRdwAllChildren)) return;
    // Another monitor's top row comes back when the rectangle covers it.
    for (Monitor& m : monitors) {
        if (m.removed || rect.top > m.rect.top || rect.bottom <= m.rect.top || !(flags & kRdwErase)) continue;
        for (std::int32_t x = std::max(rect.left, m.rect.left); x < rect.right && x < m.rect.right; ++x) {
            m.row[std::size_t(x - m.rect.left)] = m.desktop[std::size_t(x - m.rect.left)];
        }
    }
    if (rect.top > 0 || rect.bottom <= 0) return;
    for (std::int32_t x = rect.left < 0 ? 0 : rect.left; x < rect.right && x < Width(); ++x) {
        const bool repainted = InFrame(x) ? (flags & kRdwFrame) != 0 : (flags & kRdwErase) != 0;
        if (repainted) row_[std::size_t(x)] = desktop_[std::size_t(x)];
    }
}

HDc FakeScreen::OpenBandDC(std::int32_t penWidth, Colour colour) {
    ++bandDCsOpen;
    bandPens.push_back(BandPen{penWidth, colour});
    return HDc(0xBA00 + bandPens.size());
}

void FakeScreen::DrawBandRect(HDc, Point a, Point b) {
    ++bandDraws;
    // An empty rectangle draws nothing.
    if (a.x == b.x || a.y == b.y) return;
    const auto key = std::make_tuple(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y));
    if (++bandParity_[key] == 2) bandParity_.erase(key);
}

void FakeScreen::CloseBandDC(HDc) { --bandDCsOpen; }

std::vector<Rect> FakeScreen::BandFrames() const {
    std::vector<Rect> out;
    for (const auto& [key, parity] : bandParity_) {
        out.push_back(Rect{std::get<0>(key), std::get<1>(key), std::get<2>(key), std::get<3>(key)});
    }
    return out;
}

}  // namespace lv::fake
