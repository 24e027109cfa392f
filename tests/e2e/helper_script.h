// What the end-to-end tests' helper windows (target_window, player_standin)
// share: their trace line, and the command line with its script of timed
// actions (move, size, maximise, minimise, restore, front, close, and for the
// stand-in player fullscreen), parsed with bounds so that bad arguments are
// refused, never half taken.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace e2e {

constexpr long kCoordLimit = 100000;   // screen coordinates beyond this are refused
constexpr long kTimeLimitMs = 3600000;  // a script runs for an hour at most
constexpr std::size_t kMaxActions = 64;
// One trace line (OutputDebugStringA), cut to fit, with its newline.
inline void Trace(const char* format, ...) {
    char text[320];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(text, sizeof text - 1, format, args);
    va_end(args);
    if (n < 0) return;
    if (n > int(sizeof text) - 2) n = int(sizeof text) - 2;
    text[n] = '\n';
    text[n + 1] = '\0';
    ::OutputDebugStringA(text);
}

enum class Kind { Move, Size, Maximise, Minimise, Restore, Front, Close, Fullscreen };

struct Action {
    long atMs;
    Kind kind;
    long a, b;  // move: X Y; size: W H
};

// The command line: the window rectangle (the caller sets its default) and
// the script.
struct Options {
    RECT rect;
    std::vector<Action> script;
};

// A whole decimal number within [lo, hi]; the text must hold nothing else.
inline bool ParseLong(const char* text, long lo, long hi, long& out) {
    if (text == nullptr || *text == '\0') return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || v < lo || v > hi) return false;
    out = v;
    return true;
}

struct ActionName {
    const char* name;
    Kind kind;
    int args;
    bool playerOnly;  // taken only when the program asks for it (withFullscreen)
};
inline constexpr ActionName kActions[] = {
    {"move", Kind::Move, 2, false},         {"size", Kind::Size, 2, false},
    {"maximise", Kind::Maximise, 0, false}, {"minimise", Kind::Minimise, 0, false},
    {"restore", Kind::Restore, 0, false},   {"front", Kind::Front, 0, false},
    {"close", Kind::Close, 0, false},       {"fullscreen", Kind::Fullscreen, 0, true},
};

inline const char* NameOf(Kind kind) {
    for (const ActionName& a : kActions)
        if (a.kind == kind) return a.name;
    return "?";
}

// One "MS:NAME [A B]" item, already cut out of the script (and writable).
inline bool ParseAction(char* item, Action& out, bool withFullscreen) {
    char* colon = std::strchr(item, ':');
    if (colon == nullptr) return false;
    *colon = '\0';
    char* words[4] = {};
    int count = 0;
    for (char* w = std::strtok(colon + 1, " \t"); w != nullptr; w = std::strtok(nullptr, " \t")) {
        if (count == 4) return false;
        words[count++] = w;
    }
    char* time = std::strtok(item, " \t");
    if (time == nullptr || std::strtok(nullptr, " \t") != nullptr) return false;
    if (count == 0 || !ParseLong(time, 0, kTimeLimitMs, out.atMs)) return false;
    for (const ActionName& a : kActions) {
        if (std::strcmp(words[0], a.name) != 0) continue;
        if (count != a.args + 1 || (a.playerOnly && !withFullscreen)) return false;
        out.kind = a.kind;
        out.a = out.b = 0;
        if (a.args == 0) return true;
        const long lo = a.kind == Kind::Size ? 1 : -kCoordLimit;
        return ParseLong(words[1], lo, kCoordLimit, out.a) && ParseLong(words[2], lo, kCoordLimit, out.b);
    }
    return false;
}

// Items are separated by ';'; empty items (a trailing ';') are allowed.
inline bool ParseScript(const char* text, std::vector<Action>& out, bool withFullscreen) {
    std::vector<char> copy(text, text + std::strlen(text) + 1);
    std::vector<char*> items;
    char* start = copy.data();
    for (char* p = copy.data();; ++p) {
        if (*p != ';' && *p != '\0') continue;
        const bool last = *p == '\0';
        *p = '\0';
        if (std::strspn(start, " \t") != std::strlen(start)) items.push_back(start);
        if (last) break;
        start = p + 1;
    }
    if (items.size() > kMaxActions) return false;
    for (char* item : items) {
        Action action{};
        if (!ParseAction(item, action, withFullscreen)) return false;
        out.push_back(action);
    }
    std::stable_sort(out.begin(), out.end(), [](const Action& x, const Action& y) { return x.atMs < y.atMs; });
    return true;
}

// withFullscreen: the script may hold the fullscreen action.
inline bool ParseArgs(int argc, char** argv, Options& opt, bool withFullscreen = false) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--rect") == 0 && i + 4 < argc) {
            long v[4];
            for (int k = 0; k < 4; ++k)
                if (!ParseLong(argv[i + 1 + k], -kCoordLimit, kCoordLimit, v[k])) return false;
            if (v[2] <= v[0] || v[3] <= v[1]) return false;
            opt.rect = RECT{v[0], v[1], v[2], v[3]};
            i += 4;
        } else if (std::strcmp(argv[i], "--script") == 0 && i + 1 < argc) {
            if (!ParseScript(argv[++i], opt.script, withFullscreen)) return false;
        } else {
            return false;
        }
    }
    return true;
}

// The script, run from a window's timer: each action at its time since
// Start. `perform` carries an action out; a close ends the script.
class ScriptRunner {
public:
    static constexpr UINT_PTR kTimer = 1;

    void Start(HWND hwnd, const std::vector<Action>& script, ULONGLONG startMs) {
        script_ = script;
        next_ = 0;
        startMs_ = startMs;
        Arm(hwnd);
    }

    template <typename Perform>
    void OnTimer(HWND hwnd, Perform perform) {
        ::KillTimer(hwnd, kTimer);
        const ULONGLONG elapsed = ::GetTickCount64() - startMs_;
        while (next_ < script_.size() && ULONGLONG(script_[next_].atMs) <= elapsed) {
            const Action action = script_[next_++];
            perform(hwnd, action);
            if (action.kind == Kind::Close) return;
        }
        Arm(hwnd);
    }

private:
    // The next action's timer; none when the script is done.
    void Arm(HWND hwnd) {
        if (next_ >= script_.size()) return;
        const ULONGLONG elapsed = ::GetTickCount64() - startMs_;
        const ULONGLONG due = ULONGLONG(script_[next_].atMs);
        ::SetTimer(hwnd, kTimer, due > elapsed ? UINT(due - elapsed) : USER_TIMER_MINIMUM, nullptr);
    }

    std::vector<Action> script_;
    std::size_t next_ = 0;
    ULONGLONG startMs_ = 0;
};

}  // namespace e2e
