// The desktop's system-cursor table: which image each system id shows, the
// cursor files on disk and the program's own cursor resources. Handles are
// tracked so that a test sees a leak, a double release, or a shared handle
// given away.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/cursors.h"
#include "platform/fake/clock.h"
#include "platform/fake/log.h"

namespace lv::fake {

class FakeCursors : public ISystemCursors {
public:
    FakeCursors(FakeClock& clock, EventLog& log);

    HCursor LoadSystemCursor(std::uint32_t id) override;
    HCursor DuplicateCursor(HCursor cursor) override;
    HCursor LoadCursorFile(const char* path) override;
    HCursor LoadOwnCursor(int resourceId, int size) override;
    // The size a handle of the program's own was loaded at.
    int SizeOf(HCursor cursor) const;
    bool SetSystemCursor(HCursor cursor, std::uint32_t id) override;
    void DestroyCursor(HCursor cursor) override;
    // Every id shows the user's scheme again, as the registry names it.
    void ReloadUserScheme() override;

    // The image each id shows: "standard <id>" until something installs
    // another.
    std::map<std::uint32_t, std::string> shown;
    // What the registry's scheme makes each id show: the images at start.
    std::map<std::uint32_t, std::string> userScheme;
    int schemeReloads = 0;
    // Cursor files on disk: path -> image.
    std::map<std::string, std::string> files;
    // The program's cursor resources: id -> image.
    std::map<int, std::string> resources;

    // Every successful install: id and image, in order.
    std::vector<std::pair<std::uint32_t, std::string>> installs;
    std::vector<int> installSizes;
    // Called after each install, as if another thread ran at that moment.
    std::function<void(std::uint32_t id)> onInstall;  // each install's LoadOwnCursor size (0: another handle)
    int refusedInstalls = 0;
    int fileLoads = 0;
    // Releases of a handle that was not the program's to release (already
    // released, installed, or shared).
    int badReleases = 0;
    bool failCopy = false;

    // Handles the program owns and has not released or installed.
    int LiveOwnedHandles() const;
    // A cursor resource of a module another component loaded: a shared
    // handle that dies when the module is unloaded.
    HCursor AddModuleCursor(const std::string& image);
    void UnloadModuleCursor(HCursor cursor);
    std::string ImageOf(HCursor cursor) const;

private:
    struct Handle {
        std::string image;
        std::uint32_t systemId = 0;  // shared handle of a system id
        bool alive = true;
        bool moduleResource = false;  // shared handle of a loaded module
        int size = 0;                 // LoadOwnCursor's
    };
    HCursor NewHandle(const std::string& image);

    FakeClock& clock_;
    EventLog& log_;
    std::map<std::uintptr_t, Handle> handles_;
    std::uintptr_t nextHandle_ = 0x3000;
};

}  // namespace lv::fake
