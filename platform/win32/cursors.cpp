// System cursors with USER32. SetSystemCursor destroys the handle it is
// given once it has taken its picture, so only handles the program owns may
// go to it: copies, files, and its own resources loaded unshared.
#include "platform/win32/cursors.h"

#include "platform/win32/win32_platform.h"

namespace lv::win32 {

namespace {
HCURSOR ToHcursor(HCursor cursor) { return reinterpret_cast<HCURSOR>(cursor); }
HCursor FromHcursor(HANDLE cursor) { return HCursor(reinterpret_cast<std::uintptr_t>(cursor)); }
}  // namespace

HCursor Win32Cursors::LoadSystemCursor(std::uint32_t id) {
    return FromHcursor(::LoadCursorA(nullptr, MAKEINTRESOURCEA(id)));
}

HCursor Win32Cursors::DuplicateCursor(HCursor cursor) {
    if (IsNone(cursor)) return HCursor::None;
    return FromHcursor(::CopyIcon(reinterpret_cast<HICON>(cursor)));
}

HCursor Win32Cursors::LoadCursorFile(const char* path) {
    return FromHcursor(::LoadCursorFromFileA(path));
}

HCursor Win32Cursors::LoadOwnCursor(int resourceId, int size) {
    // LoadCursorA would answer a shared handle that SetSystemCursor must not
    // destroy; LoadImageA without LR_SHARED makes a new one each call.
    return FromHcursor(::LoadImageA(Instance(), MAKEINTRESOURCEA(resourceId), IMAGE_CURSOR, size, size, 0));
}

bool Win32Cursors::SetSystemCursor(HCursor cursor, std::uint32_t id) {
    if (IsNone(cursor)) return false;
    return ::SetSystemCursor(ToHcursor(cursor), id) != FALSE;
}

void Win32Cursors::DestroyCursor(HCursor cursor) { ::DestroyCursor(ToHcursor(cursor)); }

void Win32Cursors::ReloadUserScheme() { ::SystemParametersInfoA(SPI_SETCURSORS, 0, nullptr, 0); }

}  // namespace lv::win32
