// The desktop's system cursors: what each system id shows, copies of
// cursors, cursors loaded from files and from the program's resources.
#pragma once

#include <cstdint>

#include "platform/types.h"

namespace lv {

class ISystemCursors {
public:
    virtual ~ISystemCursors() = default;

    // LoadCursorA with no module: the cursor installed for a system id now.
    // The handle is shared: never destroyed by the caller.
    virtual HCursor LoadSystemCursor(std::uint32_t id) = 0;
    // CopyIcon: an independent copy the caller owns. None on failure.
    virtual HCursor DuplicateCursor(HCursor cursor) = 0;
    // LoadCursorFromFileA: a cursor (animated or not) from a file, owned by
    // the caller. None when the file cannot be loaded.
    virtual HCursor LoadCursorFile(const char* path) = 0;
    // One of the program's own cursor resources at `size` x `size` pixels
    // (its image of that size, or the nearest one scaled), a new handle each
    // call that the caller owns. None when there is no such resource.
    virtual HCursor LoadOwnCursor(int resourceId, int size) = 0;
    // SetSystemCursor: the cursor becomes the system-wide one for the id.
    // On success the system takes the handle over (the caller must forget
    // it); on failure (an empty or dead handle) the id keeps its cursor.
    virtual bool SetSystemCursor(HCursor cursor, std::uint32_t id) = 0;
    virtual void DestroyCursor(HCursor cursor) = 0;
    // SystemParametersInfo(SPI_SETCURSORS): the system reloads the user's
    // scheme from the registry, for when the saved cursors cannot go back.
    virtual void ReloadUserScheme() = 0;
};

}  // namespace lv
