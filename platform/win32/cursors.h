#pragma once

#include <windows.h>

#include "platform/cursors.h"

namespace lv::win32 {

class Win32Cursors : public ISystemCursors {
public:
    HCursor LoadSystemCursor(std::uint32_t id) override;
    HCursor DuplicateCursor(HCursor cursor) override;
    HCursor LoadCursorFile(const char* path) override;
    HCursor LoadOwnCursor(int resourceId, int size) override;
    bool SetSystemCursor(HCursor cursor, std::uint32_t id) override;
    void DestroyCursor(HCursor cursor) override;
    void ReloadUserScheme() override;
};

}  // namespace lv::win32
