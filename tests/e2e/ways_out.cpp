// ways_out: ends the running program from outside, the ways Windows and
// other programs end it, and watches what it leaves behind.
//
//   ways_out.exe close         posts WM_CLOSE to the bar, as taskkill
//                              without /F does
//   ways_out.exe end-session   WM_QUERYENDSESSION(0, ENDSESSION_LOGOFF) to
//                              the program's top-level windows, then
//                              WM_ENDSESSION(TRUE, ENDSESSION_LOGOFF) when
//                              all of them answered TRUE (FALSE to each
//                              otherwise), as Windows does at logoff
//   ways_out.exe fault         sets the test build's event
//                              "LumivaneTestFault" (a crash on its own thread)
//   ways_out.exe watch         takes no way out: watches while another
//                              program (wineboot --end-session) takes one
//   ways_out.exe display W H   not a way out: changes the display mode to
//                              W x H (ChangeDisplaySettingsExA, as a game
//                              or the display settings do), so that the
//                              program hears WM_DISPLAYCHANGE; needs no bar
//
// The bar is found as the installer finds it: the untitled "#32770" window
// on the thread that owns the tray icon's hidden windows. After the action a
// watcher thread follows, every millisecond, whether the tray icon is still
// in the notification area (a NIM_MODIFY that changes nothing succeeds only
// while the shell holds the icon), whether the bar still exists and whether
// the process still runs. Under Wine the shell drops the icons of a window
// that is destroyed, so an icon gone only with the bar says nothing of the
// program; gone while the bar still exists, the program removed it itself.
//
// Trace lines (OutputDebugStringA, seen under Wine with +debugstr):
//
//   lvwaysout: hidden window H "TITLE" process P thread T
//   lvwaysout: window H class "C" title "T" rect L T R B visible 0|1 topmost 0|1
//   lvwaysout: bar H process P
//   lvwaysout: no bar
//   lvwaysout: icon ID in the notification area: yes|no
//   lvwaysout: watching            (the watcher starts, the action follows)
//   lvwaysout: posted WM_CLOSE: ok|error E
//   lvwaysout: query H answered R | query H failed (error E)
//   lvwaysout: end-session H TRUE|FALSE: ok | gone | failed (error E)
//   lvwaysout: event set: ok | cannot open the event (error E)
//   lvwaysout: icon removed while the bar exists, after MS ms
//   lvwaysout: icon gone with the bar, after MS ms
//   lvwaysout: icon still there
//   lvwaysout: bar gone after MS ms | bar gone with the process
//   lvwaysout: process ended after MS ms, exit code 0xXXXXXXXX
//   lvwaysout: process still running after MS ms
//   lvwaysout: display W H flags F: result R, screen W' H'
//   lvwaysout: exit N
//
// Exit status: 0 the action was taken, 1 no bar, 2 bad arguments, 3 the
// action could not be taken, 4 the session's end was refused.
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "tests/e2e/helper_script.h"

namespace {

using e2e::Trace;

// What the running program is known by (tray/, bar/, res/, the test build).
constexpr char kHiddenClass[] = "LumivaneHiddenWindow";
constexpr char kResurrectionTitle[] = "CTrayNotifyIcon Resurrection Notification Window";
constexpr char kDialogClass[] = "#32770";
constexpr UINT kIconId = 128;  // IDR_MAINFRAME, the tray icon's id
constexpr char kFaultEvent[] = "LumivaneTestFault";

constexpr UINT kAnswerTimeoutMs = 5000;  // Windows waits about as long for an answer
constexpr ULONGLONG kWatchMs = 15000;     // longer than any way out may take

struct Program {
    DWORD process = 0, thread = 0;
    HWND bar = nullptr;
    std::vector<HWND> windows;  // its top-level windows, the bar among them
};

// The process and thread of the tray icon's hidden windows.
bool FindHiddenWindows(Program& p) {
    for (HWND h = nullptr; (h = ::FindWindowExA(nullptr, h, kHiddenClass, nullptr)) != nullptr;) {
        char title[128] = "";
        ::GetWindowTextA(h, title, sizeof title);
        DWORD process = 0;
        const DWORD thread = ::GetWindowThreadProcessId(h, &process);
        Trace("lvwaysout: hidden window %p \"%s\" process %lu thread %lu", static_cast<void*>(h), title, process,
              thread);
        if (p.process == 0 && std::strcmp(title, kResurrectionTitle) == 0) {
            p.process = process;
            p.thread = thread;
        }
    }
    return p.process != 0;
}

BOOL CALLBACK CollectWindow(HWND h, LPARAM param) {
    Program& p = *reinterpret_cast<Program*>(param);
    DWORD process = 0;
    const DWORD thread = ::GetWindowThreadProcessId(h, &process);
    if (process != p.process) return TRUE;
    p.windows.push_back(h);
    char cls[64] = "", title[128] = "";
    ::GetClassNameA(h, cls, sizeof cls);
    ::GetWindowTextA(h, title, sizeof title);
    RECT r{};
    ::GetWindowRect(h, &r);
    const bool topmost = (::GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    Trace("lvwaysout: window %p class \"%s\" title \"%s\" rect %ld %ld %ld %ld visible %d topmost %d",
          static_cast<void*>(h), cls, title, r.left, r.top, r.right, r.bottom, ::IsWindowVisible(h) ? 1 : 0,
          topmost ? 1 : 0);
    if (p.bar == nullptr && thread == p.thread && std::strcmp(cls, kDialogClass) == 0 && title[0] == '\0') p.bar = h;
    return TRUE;
}

// Whether the shell holds the icon: NIM_MODIFY with no flags changes nothing
// and fails when the shell knows no icon of that window and id.
bool IconShown(HWND owner) {
    NOTIFYICONDATAA nid{};
    nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
    nid.hWnd = owner;
    nid.uID = kIconId;
    nid.uFlags = 0;
    return ::Shell_NotifyIconA(NIM_MODIFY, &nid) != FALSE;
}

// ---------------------------------------------------------------------------
// What the way out leaves behind

struct Watch {
    HWND bar;
    HANDLE process;
    ULONGLONG startMs;
    volatile LONG stop;  // the action was not taken: nothing to watch for
};

ULONGLONG Since(const Watch& w) { return ::GetTickCount64() - w.startMs; }

DWORD WINAPI WatchThread(void* param) {
    const Watch& w = *static_cast<Watch*>(param);
    bool iconSeen = true, barSeen = true;
    for (;;) {
        // In this order: an icon found gone while the bar exists afterwards
        // was gone while the bar existed.
        const bool icon = iconSeen && IconShown(w.bar);
        const bool bar = barSeen && ::IsWindow(w.bar);
        const bool ended = ::WaitForSingleObject(w.process, 0) == WAIT_OBJECT_0;
        if (iconSeen && !icon) {
            iconSeen = false;
            if (bar)
                Trace("lvwaysout: icon removed while the bar exists, after %llu ms", Since(w));
            else
                Trace("lvwaysout: icon gone with the bar, after %llu ms", Since(w));
        }
        if (barSeen && !bar) {
            barSeen = false;
            Trace("lvwaysout: bar gone after %llu ms", Since(w));
        }
        if (ended) {
            DWORD code = 0;
            ::GetExitCodeProcess(w.process, &code);
            if (iconSeen) Trace("lvwaysout: icon still there");
            if (barSeen) Trace("lvwaysout: bar gone with the process");
            Trace("lvwaysout: process ended after %llu ms, exit code 0x%08lX", Since(w), code);
            return 0;
        }
        if (w.stop != 0 || Since(w) > kWatchMs) {
            if (iconSeen) Trace("lvwaysout: icon still there");
            Trace("lvwaysout: process still running after %llu ms", Since(w));
            return 1;
        }
        ::Sleep(1);
    }
}

// ---------------------------------------------------------------------------
// The ways out

int Close(const Program& p) {
    const BOOL ok = ::PostMessageA(p.bar, WM_CLOSE, 0, 0);
    if (ok) {
        Trace("lvwaysout: posted WM_CLOSE: ok");
        return 0;
    }
    Trace("lvwaysout: posted WM_CLOSE: error %lu", ::GetLastError());
    return 3;
}

int EndSession(const Program& p) {
    bool all = true;
    std::vector<HWND> asked;
    for (HWND h : p.windows) {
        DWORD_PTR answer = 0;
        if (::SendMessageTimeoutA(h, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                                  &answer) == 0) {
            Trace("lvwaysout: query %p failed (error %lu)", static_cast<void*>(h), ::GetLastError());
            all = false;
            continue;
        }
        Trace("lvwaysout: query %p answered %lu", static_cast<void*>(h), static_cast<unsigned long>(answer));
        asked.push_back(h);
        if (answer == 0) all = false;
    }
    // Every window asked hears the outcome; a window the program has
    // destroyed meanwhile (it ends with its bar) is gone, not a failure.
    for (HWND h : asked) {
        DWORD_PTR ignored = 0;
        const char* outcome = "ok";
        if (::SendMessageTimeoutA(h, WM_ENDSESSION, all ? TRUE : FALSE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG,
                                  kAnswerTimeoutMs, &ignored) == 0)
            outcome = ::IsWindow(h) ? "failed" : "gone";
        Trace("lvwaysout: end-session %p %s: %s", static_cast<void*>(h), all ? "TRUE" : "FALSE", outcome);
    }
    return all ? 0 : 4;
}

int Fault() {
    HANDLE event = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, kFaultEvent);
    if (event == nullptr) {
        Trace("lvwaysout: event set: cannot open the event (error %lu)", ::GetLastError());
        return 3;
    }
    const BOOL ok = ::SetEvent(event);
    ::CloseHandle(event);
    if (!ok) {
        Trace("lvwaysout: event set: error %lu", ::GetLastError());
        return 3;
    }
    Trace("lvwaysout: event set: ok");
    return 0;
}

// The display mode: asked for with CDS_FULLSCREEN first (a temporary
// change, which Wine's virtual desktop takes as a resize), then with 0 (the
// registry's too) if that was refused. Each try is traced with the screen
// size the system reports after it.
int Display(const char* widthText, const char* heightText) {
    char* end = nullptr;
    const long width = std::strtol(widthText, &end, 10);
    if (*end != '\0' || width < 320 || width > 8192) return 2;
    const long height = std::strtol(heightText, &end, 10);
    if (*end != '\0' || height < 200 || height > 8192) return 2;
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = DWORD(width);
    mode.dmPelsHeight = DWORD(height);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    for (const DWORD flags : {DWORD(CDS_FULLSCREEN), DWORD(0)}) {
        const LONG result = ::ChangeDisplaySettingsExA(nullptr, &mode, nullptr, flags, nullptr);
        Trace("lvwaysout: display %ld %ld flags %lu: result %ld, screen %d %d", width, height, flags, result,
              ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
        if (result == DISP_CHANGE_SUCCESSFUL) return 0;
    }
    return 3;
}

int Run(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "display") == 0) {
        const int status = Display(argv[2], argv[3]);
        if (status == 2) Trace("lvwaysout: usage: ways_out.exe display WIDTH HEIGHT");
        return status;
    }
    const char* command = argc == 2 ? argv[1] : "";
    int (*action)(const Program&) = nullptr;
    if (std::strcmp(command, "close") == 0)
        action = Close;
    else if (std::strcmp(command, "end-session") == 0)
        action = EndSession;
    else if (std::strcmp(command, "fault") == 0)
        action = [](const Program&) { return Fault(); };
    else if (std::strcmp(command, "watch") == 0)
        action = [](const Program&) { return 0; };
    else {
        Trace("lvwaysout: usage: ways_out.exe close|end-session|fault|watch|display W H");
        return 2;
    }

    Program p;
    if (FindHiddenWindows(p)) ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&p));
    if (p.bar == nullptr) {
        Trace("lvwaysout: no bar");
        return 1;
    }
    Trace("lvwaysout: bar %p process %lu", static_cast<void*>(p.bar), p.process);
    Trace("lvwaysout: icon %u in the notification area: %s", kIconId, IconShown(p.bar) ? "yes" : "no");

    Watch watch{p.bar, ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, p.process), 0, 0};
    if (watch.process == nullptr) Trace("lvwaysout: cannot open the process (error %lu)", ::GetLastError());
    watch.startMs = ::GetTickCount64();
    HANDLE watcher = watch.process != nullptr ? ::CreateThread(nullptr, 0, WatchThread, &watch, 0, nullptr) : nullptr;
    if (watcher != nullptr) Trace("lvwaysout: watching");
    const int status = action(p);
    if (status != 0) ::InterlockedExchange(&watch.stop, 1);
    if (watcher != nullptr) {
        ::WaitForSingleObject(watcher, INFINITE);
        ::CloseHandle(watcher);
    }
    if (watch.process != nullptr) ::CloseHandle(watch.process);
    return status;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const int status = Run(__argc, __argv);
    Trace("lvwaysout: exit %d", status);
    return status;
}
