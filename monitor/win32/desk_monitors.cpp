#include "monitor/win32/desk_monitors.h"

#include <windows.h>

#include <algorithm>

namespace lv::monitor::win32 {

namespace {

BOOL CALLBACK AddMonitor(HMONITOR handle, HDC, LPRECT, LPARAM param) {
    auto* monitors = reinterpret_cast<std::vector<DeskMonitor>*>(param);
    MONITORINFOEXA info{};
    info.cbSize = sizeof info;
    if (!::GetMonitorInfoA(handle, &info)) return TRUE;
    DeskMonitor m;
    m.device = info.szDevice;
    m.rect = Rect{info.rcMonitor.left, info.rcMonitor.top, info.rcMonitor.right, info.rcMonitor.bottom};
    m.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    monitors->push_back(m);
    return TRUE;
}

}  // namespace

void UsePhysicalPixels() {
    HMODULE user32 = ::GetModuleHandleA("user32.dll");
    // SetProcessDpiAwarenessContext from Windows 10 1703 on; before it the
    // whole process at the system's DPI is the best there is.
    using SetContextFn = BOOL(WINAPI*)(HANDLE);
    const auto setContext = user32 != nullptr ? reinterpret_cast<SetContextFn>(reinterpret_cast<void*>(
                                                    ::GetProcAddress(user32, "SetProcessDpiAwarenessContext")))
                                              : nullptr;
    const HANDLE perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4));
    if (setContext != nullptr && setContext(perMonitorV2)) return;
    ::SetProcessDPIAware();
}

std::vector<DeskMonitor> ReadDeskMonitors() {
    std::vector<DeskMonitor> monitors;
    ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    std::stable_partition(monitors.begin(), monitors.end(), [](const DeskMonitor& m) { return m.primary; });
    if (monitors.empty()) {
        DeskMonitor primary;
        primary.device = "\\\\.\\DISPLAY1";
        primary.rect = Rect{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
        primary.primary = true;
        monitors.push_back(primary);
    }
    return monitors;
}

}  // namespace lv::monitor::win32
