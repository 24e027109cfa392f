#include "monitor/win32/row_reader.h"

#include <cstdint>

namespace lv::monitor::win32 {

bool RowReader::Open() {
    Close();
    // The screen's DC covers the whole desktop in desktop coordinates, so
    // every monitor's row is read through it at its own place.
    screen_ = ::GetDC(nullptr);
    memory_ = screen_ != nullptr ? ::CreateCompatibleDC(screen_) : nullptr;
    if (memory_ == nullptr) {
        Close();
        return false;
    }
    return true;
}

bool RowReader::Reserve(int width) {
    if (dib_ != nullptr && width <= width_) return true;
    DropBitmap();
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -1;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dib_ = ::CreateDIBSection(memory_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    if (dib_ == nullptr) return false;
    old_ = ::SelectObject(memory_, dib_);
    width_ = width;
    return true;
}

bool RowReader::Read(int left, int top, int width, std::vector<Colour>& row) {
    if (memory_ == nullptr || width <= 0 || !Reserve(width)) return false;
    // CAPTUREBLT: layered windows are part of the picture the monitor gets.
    if (!::BitBlt(memory_, 0, 0, width, 1, screen_, left, top, SRCCOPY | CAPTUREBLT)) return false;
    ::GdiFlush();
    row.resize(std::size_t(width));
    const auto* p = static_cast<const std::uint8_t*>(bits_);
    for (int x = 0; x < width; ++x, p += 4) row[std::size_t(x)] = MakeColour(p[2], p[1], p[0]);
    return true;
}

void RowReader::DropBitmap() {
    if (memory_ != nullptr && old_ != nullptr) ::SelectObject(memory_, old_);
    if (dib_ != nullptr) ::DeleteObject(dib_);
    dib_ = nullptr;
    old_ = nullptr;
    bits_ = nullptr;
    width_ = 0;
}

void RowReader::Close() {
    DropBitmap();
    if (memory_ != nullptr) ::DeleteDC(memory_);
    if (screen_ != nullptr) ::ReleaseDC(nullptr, screen_);
    screen_ = nullptr;
    memory_ = nullptr;
}

}  // namespace lv::monitor::win32
