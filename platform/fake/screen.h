// A simulated screen row 0 with the pen rules of the display: a line paints
// from the pen position up to, not including, its end, in either direction;
// pixels outside 0..W are lost. What is on the row when a DC is closed is
// what reaches the screen, so each close records a frame with its time.
// Beside the primary monitor (Row(), frames) a test can set up others at any
// place, size and DPI, each with its own top row and frames.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/fake/clock.h"
#include "platform/fake/log.h"
#include "platform/screen.h"

namespace lv::fake {

class FakeScreen : public IScreen {
public:
    FakeScreen(FakeClock& clock, EventLog& log, std::int32_t width, std::int32_t height = 768);

    HDc OpenScreenDC() override;
    void CloseScreenDC(HDc dc) override;
    std::int32_t GetHorzRes(HDc dc) override;
    int GetMonitors(MonitorInfo* monitors, int max) override;
    HDc OpenMonitorDC(const char* device) override;
    HPen CreateSolidPen(Colour colour) override;
    HPen SelectPen(HDc dc, HPen pen) override;
    void DeletePen(HPen pen) override;
    void MoveTo(HDc dc, std::int32_t x, std::int32_t y) override;
    void LineTo(HDc dc, std::int32_t x, std::int32_t y) override;
    void RedrawScreenRect(const Rect& rect, std::uint32_t flags) override;
    HDc OpenBandDC(std::int32_t penWidth, Colour colour) override;
    void DrawBandRect(HDc dc, Point a, Point b) override;
    void CloseBandDC(HDc dc) override;

    // The rubber band frames on the screen now: each drawing inverts a
    // frame, so a frame drawn an odd number of times shows. Corners ordered.
    std::vector<Rect> BandFrames() const;
    struct BandPen {
        std::int32_t width;
        Colour colour;
    };
    std::vector<BandPen> bandPens;  // one a band DC opened
    int bandDraws = 0;
    int bandDCsOpen = 0;

    // A new resolution: row 0 becomes the desktop picture at that width.
    void SetWidth(std::int32_t width);
    std::int32_t primaryHeight;
    std::uint32_t primaryDpi = 96;
    static constexpr char kPrimaryDevice[] = "\\\\.\\DISPLAY1";

    // Another monitor; its top row starts as the desktop picture.
    struct Monitor {
        Rect rect;
        std::uint32_t dpi = 96;
        std::string device;
        bool removed = false;
        std::vector<Colour> row;
        std::vector<Colour> desktop;
        std::vector<std::vector<Colour>> frames;  // its top row as each DC close left it
    };
    // Answers its index in `monitors`; its device is "\\.\DISPLAY2" and on.
    int AddMonitor(const Rect& rect, std::uint32_t dpi = 96);
    void RemoveMonitor(int index) { monitors[std::size_t(index)].removed = true; }
    std::vector<Monitor> monitors;
    std::int32_t Width() const { return std::int32_t(row_.size()); }
    const std::vector<Colour>& Row() const { return row_; }
    // The desktop's own picture under row 0, which a repaint brings back.
    const std::vector<Colour>& DesktopRow() const { return desktop_; }
    // Window frames cover [left, right) of row 0: only a repaint that asks
    // for frames brings those pixels back.
    void AddWindowFrame(std::int32_t left, std::int32_t right);

    struct Frame {
        std::uint64_t timeMs;
        std::vector<Colour> row;
    };
    struct Redraw {
        std::uint64_t timeMs;
        Rect rect;
        std::uint32_t flags;
    };
    // Row 0 as each DC close left it (only closes after drawing).
    std::vector<Frame> frames;
    std::vector<Redraw> redraws;

    // Failure switches.
    bool failOpen = false;
    bool failPens = false;
    std::vector<Colour> refusedPens;  // colours no pen can be made of

    // Pixels drawn off row 0 of the screen (beyond either end, or on another
    // row): on a desktop with a second monitor they would land on its picture.
    std::int64_t pixelsOffRow = 0;

    // Counters for the cost of painting.
    int pensCreated = 0;
    int pensDeleted = 0;
    int selects = 0;
    int lines = 0;
    int moves = 0;
    int openDCs = 0;  // open now

private:
    struct DcState {
        HPen pen = HPen::None;
        std::int32_t x = 0;
        std::int32_t y = 0;
        bool drew = false;
        int monitor = -1;  // an index in `monitors`; -1 the primary
    };
    std::vector<Colour>& RowOf(const DcState& dc);
    void Paint(std::vector<Colour>& row, std::int64_t x, std::int32_t y, Colour colour);
    bool InFrame(std::int32_t x) const;

    FakeClock& clock_;
    EventLog& log_;
    std::vector<Colour> row_;
    std::vector<Colour> desktop_;
    std::vector<std::pair<std::int32_t, std::int32_t>> windowFrames_;
    std::map<std::uintptr_t, DcState> dcs_;
    std::map<std::uintptr_t, Colour> pens_;
    std::map<std::tuple<std::int32_t, std::int32_t, std::int32_t, std::int32_t>, int> bandParity_;
    std::uintptr_t nextHandle_ = 0x100;
};

// The desktop picture the fake screen starts with: not a colour the line code
// uses, so a test can tell painted pixels from the desktop's.
Colour DesktopColourAt(std::int32_t x);

}  // namespace lv::fake
