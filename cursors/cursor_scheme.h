// The user's system cursors: recorded once when the bar starts, swapped for
// the program's two selection pointers while the user picks a window, and
// put back when selection ends and when the program exits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/registry.h"
#include "platform/types.h"

namespace lv {

// What the normal and text-select pointers show.
enum : std::int32_t {
    CURSOR_USER = 0,     // the user's scheme
    CURSOR_OUTSIDE = 1,  // resource 147: not over a candidate's client area
    CURSOR_INSIDE = 2,   // resource 148: over a candidate's client area
};

constexpr int IDC_SELECT_OUTSIDE = 147;
constexpr int IDC_SELECT_INSIDE = 148;

constexpr int kCursorCount = 10;
// The pointer size at 96 DPI unless the user chose a larger one, and the
// largest the system offers.
constexpr std::uint32_t kDefaultPointerSize = 32;
constexpr std::uint32_t kLargestPointerSize = 256;
constexpr std::size_t kRegValueSize = 1024;
constexpr std::size_t kWinDirSize = 100;
constexpr char kCursorsKey[] = "Control Panel\\Cursors";
// Put between the Windows directory and an animated cursor's file name.
constexpr char kCursorsFolder[] = "//Cursors//";

struct CursorEntry {
    std::uint32_t nId = 0;
    HCursor hSaved = HCursor::None;  // owned from Capture until RestoreAtExit
    std::int32_t bAnimated = 0;
    std::string strPath;  // the animated file, loaded again at every Restore
};

class CCursorScheme {
public:
    CCursorScheme();

    // Records the user's cursor for each of the ten ids.
    void Capture();
    // Installs the user's scheme for all ten ids, whatever the mode.
    void Restore();
    // Installs the saved cursors and lets go of them; the last call made.
    // When one will not go back, the system reloads the user's scheme.
    void RestoreAtExit();
    // CURSOR_INSIDE or CURSOR_OUTSIDE: the normal and text-select pointers
    // show resource 148 or 147. No platform call when the mode is unchanged.
    void SetSelectionCursor(std::int32_t mode);
    // The pointers' DPI (the primary monitor's): the selection pointers are
    // loaded at the user's pointer size (CursorBaseSize, 32 unless the user
    // chose larger) scaled to it. Shown ones change at the next swap.
    void SetDpi(std::uint32_t dpi) { m_nDpi = dpi == 0 ? 96 : dpi; }
    // The size the program's pointers are loaded at now.
    int PointerSize() const;

    std::int32_t Mode() const { return m_nMode; }
    const CursorEntry& Entry(int index) const { return m_entries[index]; }
    // Empty when the Windows directory was not known.
    const char* WindowsDirectory() const { return m_szWinDir; }

private:
    void ReadWindowsDirectory();
    void ReadBaseSize(HKey key);
    std::string ReadValue(HKey key, const char* name);
    void CaptureEntry(CursorEntry& entry, const char* valueName, HKey key);
    void InstallCopyOf(HCursor cursor, std::uint32_t id);
    bool Install(HCursor cursor, std::uint32_t id);

    CursorEntry m_entries[kCursorCount];
    std::int32_t m_nMode = CURSOR_USER;
    std::uint32_t m_nDpi = 96;
    std::uint32_t m_nBaseSize = kDefaultPointerSize;
    char m_szWinDir[kWinDirSize] = {};
};

// The file name part of an animated cursor's registry value: what follows
// its last backslash, or all of it.
std::string CursorFileName(const std::string& value);
// True when the value's last three characters are exactly "ani".
bool IsAnimatedCursorValue(const std::string& value);

}  // namespace lv
