#include "cursors/cursor_scheme.h"

#include <cassert>

#include "platform/platform.h"

namespace lv {

namespace {

// The ten ids in capture and restore order, with the registry value that
// names the user's cursor file (none for the text-select pointer).
struct SchemeRow {
    std::uint32_t id;
    const char* valueName;
};
constexpr SchemeRow kScheme[kCursorCount] = {
    {kOcrNormal, "Arrow"},        {kOcrIBeam, nullptr},         {kOcrWait, "Wait"},
    {kOcrCross, "Crosshair"},     {kOcrSizeNwse, "SizeNWSE"},   {kOcrSizeNesw, "SizeNESW"},
    {kOcrSizeWe, "SizeWE"},       {kOcrSizeNs, "SizeNS"},       {kOcrSizeAll, "SizeAll"},
    {kOcrNo, "No"},
};

bool IsStringType(std::uint32_t type) {
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

}  // namespace

std::string CursorFileName(const std::string& value) {
    const std::size_t slash = value.rfind('\\');
    return slash == std::string::npos ? value : value.substr(slash + 1);
}

bool IsAnimatedCursorValue(const std::string& value) {
    return value.size() >= 3 && value.compare(value.size() - 3, 3, "ani") == 0;
}

CCursorScheme::CCursorScheme() {
    for (int i = 0; i < kCursorCount; ++i) m_entries[i].nId = kScheme[i].id;
}

// ---------------------------------------------------------------------------
// Capture

void CCursorScheme::Capture() {
    IRegistry& registry = Registry();
    // A key that cannot be opened reads as nine empty values.
    const HKey key = registry.OpenCurrentUserKey(kCursorsKey, kKeyAllAccess);
    ReadWindowsDirectory();
    for (int i = 0; i < kCursorCount; ++i) CaptureEntry(m_entries[i], kScheme[i].valueName, key);
    ReadBaseSize(key);
    if (!IsNone(key)) registry.CloseKey(key);
}

// The user's pointer size: a DWORD from 32 to 256; anything else, or none,
// is the standard 32.
void CCursorScheme::ReadBaseSize(HKey key) {
    m_nBaseSize = kDefaultPointerSize;
    if (IsNone(key)) return;
    std::uint8_t data[4] = {};
    std::uint32_t size = sizeof data;
    std::uint32_t type = 0;
    if (Registry().QueryValue(key, "CursorBaseSize", &type, data, &size) != 0 || type != kRegDword ||
        size != sizeof data) {
        return;
    }
    const std::uint32_t value = std::uint32_t(data[0]) | std::uint32_t(data[1]) << 8 | std::uint32_t(data[2]) << 16 |
                                std::uint32_t(data[3]) << 24;
    if (value >= kDefaultPointerSize && value <= kLargestPointerSize) m_nBaseSize = value;
}

int CCursorScheme::PointerSize() const { return ScaleToDpi(std::int32_t(m_nBaseSize), m_nDpi); }

// The directory is used only when it fits the 100-character buffer whole;
// otherwise it stays empty and animated files cannot be located.
void CCursorScheme::ReadWindowsDirectory() {
    const std::uint32_t length = Registry().GetWindowsDir(m_szWinDir, kWinDirSize);
    if (length == 0 || length >= kWinDirSize) m_szWinDir[0] = '\0';
    m_szWinDir[kWinDirSize - 1] = '\0';
}

// A string value, up to its first terminator. The read is given the whole
// 1024 bytes; one more byte terminates a value that fills them without a
// terminator of its own. A value longer than the buffer, of another type, or
// missing, counts as empty.
std::string CCursorScheme::ReadValue(HKey key, const char* name) {
    if (IsNone(key)) return std::string();
    std::uint8_t buffer[kRegValueSize + 1];
    std::uint32_t size = kRegValueSize;
    std::uint32_t type = 0;
    if (Registry().QueryValue(key, name, &type, buffer, &size) != 0) return std::string();
    if (!IsStringType(type)) return std::string();
    if (size > kRegValueSize) size = kRegValueSize;
    buffer[size] = '\0';
    return std::string(reinterpret_cast<const char*>(buffer));
}

void CCursorScheme::CaptureEntry(CursorEntry& entry, const char* valueName, HKey key) {
    ISystemCursors& cursors = SystemCursors();
    // A second capture lets go of what the first one saved.
    if (!IsNone(entry.hSaved)) cursors.DestroyCursor(entry.hSaved);
    entry.hSaved = HCursor::None;
    entry.bAnimated = 0;
    entry.strPath.clear();
    const std::string value = valueName != nullptr ? ReadValue(key, valueName) : std::string();
    if (IsAnimatedCursorValue(value) && m_szWinDir[0] != '\0') {
        // The folder the value names is not used: animated cursors are
        // looked up under the Windows directory.
        entry.strPath = std::string(m_szWinDir) + kCursorsFolder + CursorFileName(value);
        entry.bAnimated = 1;
        entry.hSaved = cursors.LoadCursorFile(entry.strPath.c_str());
        if (!IsNone(entry.hSaved)) return;
        // The file does not load: keep what the id shows now, so that putting
        // the scheme back never leaves a selection pointer in place.
    }
    entry.hSaved = cursors.DuplicateCursor(cursors.LoadSystemCursor(entry.nId));
}

// ---------------------------------------------------------------------------
// Restore

// SetSystemCursor takes over a handle it installs; one it refuses is still
// ours to release. Answers whether the id now shows the cursor.
bool CCursorScheme::Install(HCursor cursor, std::uint32_t id) {
    ISystemCursors& cursors = SystemCursors();
    if (cursors.SetSystemCursor(cursor, id)) return true;
    if (!IsNone(cursor)) cursors.DestroyCursor(cursor);
    return false;
}

void CCursorScheme::InstallCopyOf(HCursor cursor, std::uint32_t id) {
    Install(SystemCursors().DuplicateCursor(cursor), id);
}

void CCursorScheme::Restore() {
    m_nMode = CURSOR_USER;
    for (const CursorEntry& entry : m_entries) {
        if (entry.bAnimated) {
            // Loaded again each time: the system owns what it installed.
            const HCursor loaded = SystemCursors().LoadCursorFile(entry.strPath.c_str());
            if (!IsNone(loaded)) {
                Install(loaded, entry.nId);
                continue;
            }
        }
        InstallCopyOf(entry.hSaved, entry.nId);
    }
}

void CCursorScheme::RestoreAtExit() {
    m_nMode = CURSOR_USER;
    // The normal and text-select pointers first, as selection changed them.
    bool allBack = Install(m_entries[0].hSaved, m_entries[0].nId);
    allBack &= Install(m_entries[1].hSaved, m_entries[1].nId);
    for (int i = 2; i < kCursorCount; ++i) allBack &= Install(m_entries[i].hSaved, m_entries[i].nId);
    // Each handle is now the system's or released: none is left to use.
    for (CursorEntry& entry : m_entries) entry.hSaved = HCursor::None;
    // A copy that would not go back (never saved, or refused) must not leave
    // a selection pointer behind: the system reloads the user's scheme.
    if (!allBack) SystemCursors().ReloadUserScheme();
}

void CCursorScheme::SetSelectionCursor(std::int32_t mode) {
    assert(mode == CURSOR_INSIDE || mode == CURSOR_OUTSIDE);
    if (mode != CURSOR_INSIDE && mode != CURSOR_OUTSIDE) return;
    if (m_nMode == mode) return;
    const int resource = mode == CURSOR_INSIDE ? IDC_SELECT_INSIDE : IDC_SELECT_OUTSIDE;
    // One load for each id: the system keeps each handle it installs.
    Install(SystemCursors().LoadOwnCursor(resource, PointerSize()), kOcrNormal);
    Install(SystemCursors().LoadOwnCursor(resource, PointerSize()), kOcrIBeam);
    m_nMode = mode;
}

}  // namespace lv
