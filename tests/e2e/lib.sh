# Shared helpers of the end-to-end tests, sourced by run_e2e.sh and the
# scenario files. Everything started here is recorded by PID and stopped by
# stop_scenario_processes (each scenario) and e2e_cleanup (the run).
#
# Set by run_e2e.sh before any scenario runs:
#   E2E_DIR      this folder          LVMON        the host lvmon binary
#   WIN64_DIR    the win64 build      LUMIVANE     lumivane.exe
#   DISPLAY      our own Xvfb         LINK_PROBE   link_probe.exe
#   WINEPREFIX   our own prefix       LVMON_EXE    the Windows lvmon.exe
#   E2E_OUT      where logs are kept  WAYS_OUT_EXE tests/e2e/ways_out.exe
#   LUMIVANE_TEST lumivane_test.exe, the test build with its fault switch
#   E2E_PREFIX   the prefix the scenarios share (WINEPREFIX between them)
#   DPI_PROBE    tests/e2e/dpi_probe.exe
# Set by begin_scenario for the scenario that runs:
#   SCEN_NAME SCEN_DIR SCEN_DESKTOP SCEN_W SCEN_H SCEN_FAILED SCEN_SKIPPED
#   SCEN_PREFIX  the scenario's own prefix (use_own_prefix), or empty

# The program as a user sees it.
SPLASH_W=400  # the splash picture
SPLASH_H=273

E2E_PIDS=()        # every background process we started, for the final stop
SCEN_PIDS=()       # those of the running scenario
LVMON_PID=""

# The wall clock in milliseconds, without a process: bash's EPOCHREALTIME.
now_ms() {
    local t=${EPOCHREALTIME/,/.}  # the locale's decimal mark
    echo $((${t%.*} * 1000 + 10#${t#*.} / 1000))
}

note() { echo "    $*"; }
fail() {
    echo "    FAIL: $*"
    SCEN_FAILED=1
}
# skip_scenario REASON: what the scenario checks cannot be shown here; the
# runner reports it as skipped, neither passed nor failed.
skip_scenario() {
    echo "    SKIP: $*"
    SCEN_SKIPPED=1
}

track_pid() {
    E2E_PIDS+=("$1")
    SCEN_PIDS+=("$1")
}

# Polls a command every 50 ms until it succeeds or TIMEOUT seconds pass.
wait_until() {
    poll_until 0.05 "$@"
}
# The same without a pause between tries, to time what it waits for.
wait_closely() {
    poll_until 0 "$@"
}
poll_until() {
    local pause=$1 timeout_s=$2
    shift 2
    local deadline
    deadline=$(($(now_ms) + ${timeout_s%.*} * 1000))
    while ! "$@"; do
        [ "$(now_ms)" -le "$deadline" ] || return 1
        [ "$pause" = 0 ] || sleep "$pause"
    done
}

# ---------------------------------------------------------------------------
# Scenarios

# begin_scenario NAME WxH: a fresh folder for the logs and a desktop name of
# its own; every program of the scenario joins that desktop.
begin_scenario() {
    SCEN_NAME=$1
    SCEN_W=${2%x*}
    SCEN_H=${2#*x}
    SCEN_DESKTOP="e2e-$1"
    SCEN_DIR="$E2E_OUT/$1"
    SCEN_FAILED=0
    SCEN_SKIPPED=0
    SCEN_PIDS=()
    rm -rf "$SCEN_DIR"
    mkdir -p "$SCEN_DIR"
}

# Stops what the scenario started, then every Wine process of our prefix
# (the scenario's own one, after which the shared one is ours again).
stop_scenario_processes() {
    stop_lvmon
    local pid
    for pid in "${SCEN_PIDS[@]}"; do
        kill "$pid" 2>/dev/null
    done
    for pid in "${SCEN_PIDS[@]}"; do
        wait "$pid" 2>/dev/null
    done
    SCEN_PIDS=()
    wineserver -k 2>/dev/null
    timeout 20 wineserver -w 2>/dev/null
    if [ -n "${SCEN_PREFIX:-}" ]; then
        export WINEPREFIX=$E2E_PREFIX
        SCEN_PREFIX=""
    fi
}

# use_own_prefix NAME: the rest of the scenario runs in a Wine prefix of its
# own, BUILD_WIN64_DIR/e2e/wineprefix-NAME (made once, then reused), for a
# setting of the whole prefix that the other scenarios must not see (the
# display scale). stop_scenario_processes ends its programs.
use_own_prefix() {
    SCEN_PREFIX=$WIN64_DIR/e2e/wineprefix-$1
    export WINEPREFIX=$SCEN_PREFIX
    [ -f "$WINEPREFIX/system.reg" ] && return 0
    note "making the Wine prefix $WINEPREFIX (once)"
    # The registry reaches the disk when the prefix's wineserver ends.
    timeout 180 wineboot -i >"$SCEN_DIR/wineboot.log" 2>&1
    timeout 60 wineserver -w
    [ -f "$WINEPREFIX/system.reg" ] || { fail "Wine cannot make $WINEPREFIX: $(tail -3 "$SCEN_DIR/wineboot.log")"; return 1; }
}

# ---------------------------------------------------------------------------
# Wine

# start_in_desktop LABEL EXE [ARGS...]: runs a Windows program in the
# scenario's virtual desktop. Its debug output (the trace lines) goes to
# $SCEN_DIR/LABEL.trace. A program joining a desktop that already exists
# runs detached: use wine_pids to follow it. E2E_WINEDEBUG, when set, takes
# the place of the trace channels "-all,+debugstr" for this program.
start_in_desktop() {
    local label=$1
    shift
    WINEDEBUG=${E2E_WINEDEBUG:--all,+debugstr} wine explorer "/desktop=$SCEN_DESKTOP,${SCEN_W}x$SCEN_H" "$@" \
        >"$SCEN_DIR/$label.out" 2>"$SCEN_DIR/$label.trace" &
    track_pid $!
}

# PIDs of the running Wine processes of our prefix named NAME, as Wine names
# its processes after their executables (observation only: they are stopped
# through wineserver -k).
wine_pids() {
    local name=${1:0:15} dir comm
    for dir in /proc/[0-9]*; do
        { read -r comm <"$dir/comm"; } 2>/dev/null || continue
        [ "$comm" = "$name" ] || continue
        { tr '\0' '\n' <"$dir/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "${dir#/proc/}"
    done
}
# A host path as Windows programs under Wine name it (drive Z: is /).
wine_path() {
    local p=${1//\//\\}
    echo "Z:$p"
}
wine_running() { [ -n "$(wine_pids "$1")" ]; }
wine_not_running() { [ -z "$(wine_pids "$1")" ]; }

# The text of the trace lines a program wrote with OutputDebugStringA and
# PREFIX ("lumivane", "lvprobe"), one a line, without the prefix.
trace_lines() {
    local file=$1 prefix=$2
    sed -n "s/^.*OutputDebugStringA \"$prefix: \\(.*\\)\\\\n\"\$/\\1/p" "$file" 2>/dev/null
}
has_trace() { trace_lines "$1" "$2" | grep -qxF -- "$3"; }
has_trace_starting() { trace_lines "$1" "$2" | grep -q "^$3"; }

# ---------------------------------------------------------------------------
# X windows of the desktop

# One line a window inside the scenario's desktop: ID WIDTH HEIGHT X Y CLASS
# (X and Y are screen coordinates, equal to Win32 ones in the desktop; CLASS
# is the X class Wine gives the window: its program, "lumivane.exe").
desktop_windows() {
    xwininfo -root -tree 2>/dev/null | awk -v desk="\"$SCEN_DESKTOP - Wine desktop\":" '
        index($0, desk) { inside = 1; depth = match($0, /[^ ]/); next }
        inside && $1 ~ /^0x/ {
            if (match($0, /[^ ]/) <= depth) { inside = 0; next }
            if (!match($0, /[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+ +\+-?[0-9]+\+-?[0-9]+/)) next
            split(substr($0, RSTART, RLENGTH), g, /[ x+]+/)
            class = "-"
            if (match($0, /: \("[^"]*"/)) class = substr($0, RSTART + 4, RLENGTH - 5)
            print $1, g[1], g[2], g[5], g[6], class
        }'
}
# The first desktop window of a size: ID X Y, or nothing.
window_of_size() {
    desktop_windows | awk -v w="$1" -v h="$2" '$2 == w && $3 == h { print $1, $4, $5; exit }'
}
has_window_of_size() { [ -n "$(window_of_size "$1" "$2")" ]; }
no_window_of_size() { [ -z "$(window_of_size "$1" "$2")" ]; }
# Whether a window is mapped (the tree lists hidden windows too).
is_viewable() {
    xwininfo -id "$1" 2>/dev/null | grep -q "Map State: IsViewable"
}
# The windows of a program bigger than Wine's 1 x 1 helpers: ID W H X Y.
program_windows() {
    desktop_windows | awk -v c="$1" '$6 == c && ($2 > 1 || $3 > 1) { print $1, $2, $3, $4, $5 }'
}

# ---------------------------------------------------------------------------
# Input, as a user gives it

# A press the program's 10 ms poll sees: xdotool click is too quick.
press_mouse() {
    xdotool mousemove "$1" "$2" mousedown 1
    sleep 0.1
    xdotool mouseup 1
}
# press_key WINDOW KEY: gives the window the keyboard focus, then the key.
press_key() {
    xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
    xdotool key "$2"
}

# ---------------------------------------------------------------------------
# The tray icon and pop-up menus

# The notification area's first icon sits at the right end of the taskbar.
tray_x() { echo $((SCEN_W - 10)); }
tray_y() { echo $((SCEN_H - 10)); }

# A fingerprint of the tray icon's pixels.
tray_pixels() {
    import -window root -crop "16x16+$((SCEN_W - 18))+$((SCEN_H - 18))" rgb:- 2>/dev/null | md5sum | cut -c1-12
}
right_press() {
    xdotool mousemove "$1" "$2" mousedown 3
    sleep 0.1
    xdotool mouseup 3
}
# The pop-up menu's X window: ID W H X Y (the newest window of that shape).
menu_window() {
    program_windows lumivane.exe | awk '$2 > 60 && $2 < 300 && $3 > 120 && $3 < 400 { m = $0 } END { print m }'
}
has_menu() { [ -n "$(menu_window)" ]; }
# The newest mapped window of the program bigger than its menus, a dialog
# box: ID W H X Y. (Hidden frame windows of the default size stay in the
# tree unmapped.)
dialog_window() {
    local id w h x y
    program_windows lumivane.exe | awk '$2 >= 250 && $3 >= 150' | while read -r id w h x y; do
        is_viewable "$id" && echo "$id $w $h $x $y"
    done | tail -1
}
has_dialog() { [ -n "$(dialog_window)" ]; }
no_dialog() { [ -z "$(dialog_window)" ]; }
# item_rows N: the menu row's top and height, as choose_item reckons them.
item_rows() {
    awk -v n="$1" -v h="$2" 'BEGIN {
        split("16 16 9 16 9 16 9 16 9 16 9 16", r, " ")
        scale = (h - 6) / 157; top = 3
        for (i = 1; i < n; i++) top += r[i] * scale
        printf "%d %d", top, r[n] * scale }'
}
# dark_pixels N: how many nearly black pixels (enabled text) the menu's row
# N shows; a greyed item has none.
dark_pixels() {
    local id w h x y top height
    read -r id w h x y <<<"$(menu_window)"
    read -r top height <<<"$(item_rows "$1" "$h")"
    import -window root -crop "$((w - 8))x$height+$((x + 4))+$((y + top))" txt:- 2>/dev/null |
        awk -F'[(),]' 'NR > 1 && $2 + 0 < 60 && $3 + 0 < 60 && $4 + 0 < 60 { n++ } END { print n + 0 }'
}
# choose_item N: presses the Nth of the menu's twelve rows (1-based, as the
# resource lists them). Items are 16 pixels high and separators 9 in Wine's
# menus, inside a 3-pixel frame; the rows are scaled to the menu's height.
choose_item() {
    local id w h x y
    read -r id w h x y <<<"$(menu_window)"
    [ -n "$id" ] || { fail "no menu to choose from"; return 1; }
    local top height
    read -r top height <<<"$(item_rows "$1" "$h")"
    press_mouse $((x + w / 2)) $((y + top + height / 2))
}

# ---------------------------------------------------------------------------
# The monitor's eyes

# start_lvmon FILE: watches row 0 of the desktop (the first SCEN_W pixels of
# the screen, where the desktop window sits) into FILE; returns once it reads.
start_lvmon() {
    local out=$1
    # 2000 samples a second time the frames to half a millisecond and leave
    # the CPU to Wine; as fast as it can, lvmon and Xvfb would take a core.
    "$LVMON" --width "$SCEN_W" --rate 2000 --output "$out" 2>"$out.err" &
    LVMON_PID=$!
    track_pid "$LVMON_PID"
    if ! wait_until 5 grep -qs '^# lvmon display' "$out"; then
        fail "lvmon did not start: $(cat "$out.err")"
        return 1
    fi
}
# Ends lvmon, which then prints what is still on the row and its rate.
stop_lvmon() {
    [ -n "$LVMON_PID" ] || return 0
    kill -TERM "$LVMON_PID" 2>/dev/null
    local i
    for i in $(seq 30); do
        kill -0 "$LVMON_PID" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$LVMON_PID" 2>/dev/null
    wait "$LVMON_PID" 2>/dev/null
    LVMON_PID=""
}
