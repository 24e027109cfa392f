// dpi_probe: what the system tells a per-monitor-aware program of its DPI,
// read the ways the program reads it. Carries the program's own manifest
// (dpi_probe.rc), so that it is as DPI aware as lumivane.exe is.
//
//   dpi_probe.exe
//
// Trace lines (OutputDebugStringA, seen under Wine with +debugstr):
//
//   lvdpi: awareness A             the thread's DPI awareness (0 unaware,
//                                  1 system, 2 per monitor; -1 unknown)
//   lvdpi: monitor D               GetDpiForMonitor (shcore.dll,
//                                  MDT_EFFECTIVE_DPI) of the primary
//                                  monitor, or "monitor none"
//   lvdpi: logpixels D             the screen DC's LOGPIXELSX
//   lvdpi: small icon W H          SM_CXSMICON and SM_CYSMICON
//   lvdpi: screen W H              SM_CXSCREEN and SM_CYSCREEN
//
// Exit status 0.
#include <windows.h>

#include "tests/e2e/helper_script.h"

namespace {

using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using GetThreadContextFn = void*(WINAPI*)();
using GetAwarenessFn = int(WINAPI*)(void*);

template <typename Fn>
Fn Function(HMODULE module, const char* name) {
    return module != nullptr ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using e2e::Trace;
    const HMODULE user32 = ::GetModuleHandleA("user32.dll");
    const auto threadContext = Function<GetThreadContextFn>(user32, "GetThreadDpiAwarenessContext");
    const auto awarenessOf = Function<GetAwarenessFn>(user32, "GetAwarenessFromDpiAwarenessContext");
    Trace("lvdpi: awareness %d", threadContext != nullptr && awarenessOf != nullptr ? awarenessOf(threadContext()) : -1);

    const HMODULE shcore = ::LoadLibraryExA("shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    const auto getDpi = Function<GetDpiForMonitorFn>(shcore, "GetDpiForMonitor");
    const HMONITOR primary = ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    UINT x = 0;
    UINT y = 0;
    if (getDpi != nullptr && SUCCEEDED(getDpi(primary, 0 /* MDT_EFFECTIVE_DPI */, &x, &y))) {
        Trace("lvdpi: monitor %u", x);
    } else {
        Trace("lvdpi: monitor none");
    }
    HDC screen = ::GetDC(nullptr);
    Trace("lvdpi: logpixels %d", screen != nullptr ? ::GetDeviceCaps(screen, LOGPIXELSX) : 0);
    if (screen != nullptr) ::ReleaseDC(nullptr, screen);
    Trace("lvdpi: small icon %d %d", ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON));
    Trace("lvdpi: screen %d %d", ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    return 0;
}
