// Reads a monitor's top row off the screen: one row of the desktop, at the
// monitor's place and as wide as it is, copied with BitBlt from the screen's
// device context into a 32-bit DIB.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/types.h"

namespace lv::monitor::win32 {

class RowReader {
public:
    RowReader() = default;
    ~RowReader() { Close(); }
    RowReader(const RowReader&) = delete;
    RowReader& operator=(const RowReader&) = delete;

    bool Open();
    // The row at desktop y = `top` from x = `left`, `width` pixels, as the
    // program's colours (0x00BBGGRR).
    bool Read(int left, int top, int width, std::vector<Colour>& row);
    void Close();

private:
    // A DIB at least `width` pixels wide in the memory DC.
    bool Reserve(int width);
    void DropBitmap();

    HDC screen_ = nullptr;
    HDC memory_ = nullptr;
    HBITMAP dib_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
    int width_ = 0;
};

}  // namespace lv::monitor::win32
