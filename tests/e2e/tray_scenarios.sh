#!/usr/bin/env bash
# The tray icon and the mouse button reader under Wine, as a user meets them.
#
# Starts its own Xvfb (a free display from :74 on, no TCP), its own Wine
# prefix under the build folder (made once with wineboot -i, then reused) and
# a Wine virtual desktop, runs tests/e2e/tray_probe.exe in it (the program's
# real CTrayNotifyIcon and CMouseButtons) and drives it with xdotool:
#
#   - the icon shows in the desktop's notification area, with its hidden
#     windows' titles, and its tooltip carries the icon's text;
#   - a left and a right click on it reach the notify window as the callback
#     message with WM_LBUTTONUP and WM_RBUTTONUP;
#   - an icon taken off the area from outside comes back after a
#     "TaskbarCreated" broadcast sent by a second process;
#   - the DirectInput reader sees buttons held with xdotool mousedown and let
#     go with mouseup;
#   - closing the probe removes the icon;
#   - without DirectInput, the reader's fallback sees the buttons too.
#
# System pointers are not checked here: SetSystemCursor does nothing in
# Wine 8 (the host tests check them through the fake desktop).
#
# Prints PASS/FAIL per scenario and "N passed, M failed"; exits 1 on a
# failure, 77 when Wine or Xvfb cannot start at all. Everything it starts is
# stopped by PID, and `wineserver -k` ends its own prefix, on every exit.
#
#   tests/e2e/tray_scenarios.sh [BUILD_DIR]     (default build/win64)

set -u

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=$(cd "${1:-$ROOT/build/win64}" 2>/dev/null && pwd) || { echo "no build folder ${1:-$ROOT/build/win64}"; exit 1; }
PROBE=$BUILD/tray_probe.exe
WORK=$BUILD/e2e-tray
LOG=$WORK/probe.log
W=800
H=600
DESKTOP=lvtray$$

export WINEPREFIX=$WORK/prefix
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all

passed=0
failed=0
xvfb_pid=""
probe_pid=""

# ---------------------------------------------------------------------------
# Starting and stopping

stop_all() {
    if [ -n "$probe_pid" ] && kill -0 "$probe_pid" 2>/dev/null; then kill "$probe_pid" 2>/dev/null; fi
    if [ -d "$WINEPREFIX" ]; then wineserver -k >/dev/null 2>&1; fi
    if [ -n "$probe_pid" ]; then wait "$probe_pid" 2>/dev/null; fi
    if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
}
trap stop_all EXIT
trap 'exit 130' INT TERM

skip_all() {
    echo "SKIP: $1"
    echo "0 passed, 0 failed"
    exit 77
}

# shellcheck source=xvfb.sh
. "$ROOT/tests/e2e/xvfb.sh"

make_prefix() {
    command -v wine >/dev/null || skip_all "wine is not installed"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "making the Wine prefix $WINEPREFIX (once)"
        wineboot -i >"$WORK/wineboot.log" 2>&1
        wineserver -w
        [ -f "$WINEPREFIX/system.reg" ] || skip_all "wineboot could not make a prefix (see $WORK/wineboot.log)"
    fi
}

# The probe in the scenario's virtual desktop, its trace lines in $LOG;
# $1 is its command, if any.
start_probe() {
    : >"$LOG"
    WINEDEBUG=-all,+debugstr wine explorer "/desktop=$DESKTOP,${W}x${H}" "$PROBE" ${1:+"$1"} >"$WORK/probe.out" 2>"$LOG" &
    probe_pid=$!
}

# A second copy of the probe in the same desktop, for one command. Answers
# its exit status; its trace lines go to stdout.
second() {
    WINEDEBUG=-all,+debugstr timeout 30 wine explorer "/desktop=$DESKTOP,${W}x${H}" "$PROBE" "$1" 2>&1 |
        grep -a 'lumivane-probe' | sed 's/.*OutputDebugStringA "//; s/"$//; s/\\"/"/g'
    return "${PIPESTATUS[0]}"
}

# ---------------------------------------------------------------------------
# What the user sees

# Trace lines of the probe from byte offset $1 on, as the probe wrote them
# (Wine's debug channel quotes them and escapes their quotes).
trace_since() {
    tail -c +"$(($1 + 1))" "$LOG" | grep -a 'lumivane-probe' | sed 's/.*OutputDebugStringA "//; s/"$//; s/\\"/"/g'
}
log_size() { stat -c %s "$LOG"; }

# Waits up to $2 seconds for a trace line matching $1 after offset $3.
wait_trace() {
    local i
    for i in $(seq $(($2 * 10))); do
        if trace_since "${3:-0}" | grep -q -- "$1"; then return 0; fi
        sleep 0.1
    done
    return 1
}

# Pixels of the logo's blue at the right end of the taskbar, where the first
# notification icon sits.
icon_pixels() {
    import -window root -crop "40x20+$((W - 40))+$((H - 20))" +repage -depth 8 txt:- 2>/dev/null |
        awk -F'[(),]' 'NR > 1 && $3 < 60 && $4 > 40 && $4 < 120 && $5 > 150 { n++ } END { print n + 0 }'
}
icon_shown() { [ "$(icon_pixels)" -ge 100 ]; }
icon_gone() { [ "$(icon_pixels)" -lt 10 ]; }

# Waits up to 3 s for the area to show ($1 = shown) or not show the icon.
wait_icon() {
    local i
    for i in $(seq 30); do
        if "icon_$1"; then return 0; fi
        sleep 0.1
    done
    return 1
}

window_titled() { xwininfo -root -tree 2>/dev/null | grep -qF "\"$1\": (\"tray_probe.exe\""; }

# The pointer on the icon, or on the empty desktop.
on_icon() { xdotool mousemove $((W - 10)) $((H - 10)); }
off_icon() { xdotool mousemove $((W / 2)) $((H / 2)); }

# ---------------------------------------------------------------------------
# Scenarios

report() {
    if [ "$1" -eq 0 ]; then
        echo "PASS: $2"
        passed=$((passed + 1))
    else
        echo "FAIL: $2${3:+ ($3)}"
        failed=$((failed + 1))
    fi
}

scenario_icon_appears() {
    local why=""
    trace_since 0 | grep -q 'shell add flags=7 tip="Lumivane 2.05 " -> 1' || why="the add was not answered TRUE"
    [ -z "$why" ] && ! wait_icon shown && why="no icon at the taskbar's right end ($(icon_pixels) logo pixels)"
    [ -z "$why" ] && ! window_titled "CTrayNotifyIcon Resurrection Notification Window" && why="no resurrection window"
    [ -z "$why" ] && ! window_titled "CTrayNotifyIcon Animation Notification Window" && why="no animation window"
    report "$([ -z "$why" ]; echo $?)" "the icon shows in the notification area, its hidden windows carry their titles" "$why"
}

scenario_tooltip() {
    off_icon
    sleep 0.3
    on_icon
    sleep 1.5
    local out
    out=$(second tooltip)
    report $? "hovering the icon shows the tooltip \"Lumivane 2.05 \"" "$out"
}

click_icon() {  # $1 xdotool button, $2 the mouse message expected
    on_icon
    sleep 0.2
    local from
    from=$(log_size)
    xdotool mousedown "$1"
    sleep 0.1
    xdotool mouseup "$1"
    wait_trace "callback id=128 event=$2" 3 "$from"
}

scenario_left_click() {
    click_icon 1 0x202
    report $? "a left click reaches the notify window as message 1124 with WM_LBUTTONUP" "no callback with 0x202"
}

scenario_right_click() {
    click_icon 3 0x205
    report $? "a right click reaches the notify window as message 1124 with WM_RBUTTONUP" "no callback with 0x205"
}

scenario_taskbar_created() {
    local why="" out from
    off_icon
    out=$(second remove) || why="could not take the icon off: $out"
    [ -z "$why" ] && ! wait_icon gone && why="the icon stayed after it was taken off"
    from=$(log_size)
    [ -z "$why" ] && { out=$(second broadcast) || why="broadcast failed: $out"; }
    [ -z "$why" ] && ! wait_trace 'shell add flags=7 tip="Lumivane 2.05 " -> 1' 3 "$from" && why="no add after the broadcast"
    [ -z "$why" ] && ! wait_icon shown && why="the area does not show the icon again"
    report "$([ -z "$why" ]; echo $?)" "after \"TaskbarCreated\" from a second process the icon is back" "$why"
}

hold_buttons() {  # $1 the reader the probe must use; answers why it failed, if it did
    local why="" from
    trace_since 0 | grep -q "mouse reader: $1" || why="the reader is not on $1: $(trace_since 0 | grep 'mouse reader')"
    off_icon
    sleep 0.2
    from=$(log_size)
    xdotool mousedown 1
    [ -z "$why" ] && ! wait_trace 'buttons left=1 right=0' 2 "$from" && why="left held not seen"
    xdotool mousedown 3
    [ -z "$why" ] && ! wait_trace 'buttons left=1 right=1' 2 "$from" && why="both held not seen"
    from=$(log_size)
    xdotool mouseup 3
    xdotool mouseup 1
    [ -z "$why" ] && ! wait_trace 'buttons left=0 right=0' 2 "$from" && why="release not seen"
    echo "$why"
}

scenario_buttons_held() {
    local why
    why=$(hold_buttons DirectInput)
    report "$([ -z "$why" ]; echo $?)" "the DirectInput reader sees buttons held with mousedown and let go with mouseup" "$why"
}

# A second run of the probe whose DirectInput cannot be made.
scenario_fallback_buttons() {
    local why=""
    start_probe nodinput
    wait_trace '^lumivane-probe: ready' 30 0 || why="the probe did not start"
    [ -z "$why" ] && why=$(hold_buttons fallback)
    second quit >/dev/null
    wait_trace '^lumivane-probe: done' 5 0 || why="${why:-the probe did not finish}"
    report "$([ -z "$why" ]; echo $?)" "without DirectInput the reader falls back to the button state and still sees them" "$why"
}

scenario_close_removes() {
    local why="" out
    out=$(second quit) || why="could not close the probe: $out"
    [ -z "$why" ] && ! wait_trace '^lumivane-probe: done' 5 0 && why="the probe did not finish"
    [ -z "$why" ] && ! trace_since 0 | grep -q 'shell delete flags=0 .* -> 1' && why="no delete answered TRUE"
    [ -z "$why" ] && ! wait_icon gone && why="the icon is still in the area"
    [ -z "$why" ] && window_titled "CTrayNotifyIcon Resurrection Notification Window" && why="the resurrection window is still there"
    report "$([ -z "$why" ]; echo $?)" "closing the program removes the icon and its hidden windows" "$why"
}

# ---------------------------------------------------------------------------

[ -f "$PROBE" ] || { echo "no $PROBE: build the win64 preset first"; echo "0 passed, 1 failed"; exit 1; }
for tool in xdotool import xwininfo xdpyinfo; do
    command -v "$tool" >/dev/null || skip_all "$tool is not installed"
done
mkdir -p "$WORK"
start_xvfb
make_prefix
start_probe
if wait_trace '^lumivane-probe: ready' 30 0; then
    scenario_icon_appears
    scenario_tooltip
    scenario_left_click
    scenario_right_click
    scenario_taskbar_created
    scenario_buttons_held
    scenario_close_removes
    scenario_fallback_buttons
else
    report 1 "the probe starts in the virtual desktop" "no \"ready\" within 30 s (see $LOG)"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
