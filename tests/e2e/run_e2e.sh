#!/usr/bin/env bash
# End-to-end tests: the real lumivane.exe (and the link probe) under Wine, in
# a Wine virtual desktop on our own Xvfb, watched by lvmon on row 0.
#
#   tests/e2e/run_e2e.sh BUILD_HOST_DIR BUILD_WIN64_DIR [SCENARIO...]
#
# BUILD_HOST_DIR holds bin/lvmon, BUILD_WIN64_DIR lumivane.exe, lvmon.exe
# and tests/e2e/link_probe.exe (and lumivane_test.exe, the test build that
# the crash scenario runs). With SCENARIO names only those run. The Wine
# prefix lives in BUILD_WIN64_DIR/e2e/wineprefix (made once, then reused;
# a scenario that changes the whole prefix has its own beside it,
# wineprefix-NAME), the logs of each scenario in BUILD_WIN64_DIR/e2e/out/NAME/.
#
# Prints one PASS, FAIL or SKIP line a scenario (SKIP: what it checks cannot
# be shown here, and why) and ends with "N passed, M failed" (", K skipped"
# when some were); exits 1 on any failure, 0 with a SKIPPED line when Xvfb
# or Wine cannot start here. Scenarios live in tests/e2e/scenarios/*.sh,
# one file each.
set -u

if [ $# -lt 2 ]; then
    echo "usage: $0 BUILD_HOST_DIR BUILD_WIN64_DIR [SCENARIO...]" >&2
    exit 2
fi
E2E_DIR=$(cd "$(dirname "$0")" && pwd)
HOST_DIR=$(cd "$1" && pwd) || exit 2
WIN64_DIR=$(cd "$2" && pwd) || exit 2
shift 2
ONLY=("$@")

LVMON=$HOST_DIR/bin/lvmon
LUMIVANE=$WIN64_DIR/lumivane.exe
LINK_PROBE=$WIN64_DIR/tests/e2e/link_probe.exe
LVMON_EXE=$WIN64_DIR/lvmon.exe
TARGET_EXE=$WIN64_DIR/tests/e2e/target_window.exe
PLAYER_EXE=$WIN64_DIR/tests/e2e/player_standin.exe
WAYS_OUT_EXE=$WIN64_DIR/tests/e2e/ways_out.exe
DPI_PROBE=$WIN64_DIR/tests/e2e/dpi_probe.exe
# The test build with its fault switch; only the crash scenario runs it.
LUMIVANE_TEST=$WIN64_DIR/lumivane_test.exe
E2E_OUT=$WIN64_DIR/e2e/out
# The largest virtual desktop a scenario uses must fit on the screen.
XVFB_SCREEN=1920x1080x24

# shellcheck source=lib.sh
. "$E2E_DIR/lib.sh"

skip() {
    echo "e2e: SKIPPED: $*"
    exit 0
}

for f in "$LVMON" "$LUMIVANE" "$LINK_PROBE" "$LVMON_EXE" "$TARGET_EXE" "$PLAYER_EXE" "$WAYS_OUT_EXE" "$DPI_PROBE"; do
    if [ ! -x "$f" ] && [ ! -f "$f" ]; then
        echo "e2e: missing $f (build the host and win64 presets first)" >&2
        exit 1
    fi
done

XVFB_PID=""
e2e_cleanup() {
    trap - EXIT INT TERM
    stop_lvmon
    local pid
    for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
    if [ -n "${WINEPREFIX:-}" ] && command -v wineserver >/dev/null; then
        # A scenario's own prefix, when one was interrupted, and ours.
        local prefix
        for prefix in ${SCEN_PREFIX:+"$SCEN_PREFIX"} "${E2E_PREFIX:-$WINEPREFIX}"; do
            WINEPREFIX=$prefix wineserver -k 2>/dev/null
            WINEPREFIX=$prefix timeout 20 wineserver -w 2>/dev/null
        done
    fi
    for pid in "${E2E_PIDS[@]}"; do wait "$pid" 2>/dev/null; done
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
    fi
}
trap e2e_cleanup EXIT
trap 'echo "e2e: interrupted"; exit 130' INT TERM

# ---------------------------------------------------------------------------
# Our own X server: Xvfb picks a free display number and tells us on fd 3.
command -v Xvfb >/dev/null || skip "Xvfb is not installed"
mkdir -p "$E2E_OUT"
DISPLAY_FILE=$E2E_OUT/display
: >"$DISPLAY_FILE"
Xvfb -displayfd 3 -nolisten tcp -br -screen 0 "$XVFB_SCREEN" 3>"$DISPLAY_FILE" >"$E2E_OUT/xvfb.log" 2>&1 &
XVFB_PID=$!
if ! wait_until 10 grep -q '[0-9]' "$DISPLAY_FILE"; then
    skip "Xvfb cannot start: $(tail -3 "$E2E_OUT/xvfb.log")"
fi
export DISPLAY=":$(tr -dc 0-9 <"$DISPLAY_FILE")"

# ---------------------------------------------------------------------------
# Our own Wine prefix, made once.
command -v wine >/dev/null || skip "Wine is not installed"
E2E_PREFIX=$WIN64_DIR/e2e/wineprefix
export WINEPREFIX=$E2E_PREFIX
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "e2e: making the Wine prefix $WINEPREFIX"
    # The registry reaches the disk when the prefix's wineserver ends.
    timeout 180 wineboot -i >"$E2E_OUT/wineboot.log" 2>&1
    timeout 60 wineserver -w
    [ -f "$WINEPREFIX/system.reg" ] || skip "Wine cannot start: $(tail -3 "$E2E_OUT/wineboot.log")"
fi
echo "e2e: display $DISPLAY, prefix $WINEPREFIX"

# ---------------------------------------------------------------------------
# The scenarios, in file order; each file registers its own:
#   register_scenario NAME WxH FUNCTION [ARGS...]
# runs FUNCTION ARGS in a fresh desktop of that size (see begin_scenario);
# it fails through `fail` or a non-zero status.
SCENARIOS=()
register_scenario() {
    SCENARIOS+=("$*")
}
for f in "$E2E_DIR"/scenarios/*.sh; do
    # shellcheck source=/dev/null
    . "$f"
done

wanted() {
    [ ${#ONLY[@]} -eq 0 ] && return 0
    local n
    for n in "${ONLY[@]}"; do [ "$n" = "$1" ] && return 0; done
    return 1
}

passed=0
failed=0
skipped=0
for entry in "${SCENARIOS[@]}"; do
    read -r -a parts <<<"$entry"
    name=${parts[0]}
    wanted "$name" || continue
    echo "e2e: $name"
    begin_scenario "$name" "${parts[1]}"
    started=$(now_ms)
    "${parts[@]:2}"
    status=$?
    stop_scenario_processes
    took=$(($(now_ms) - started))
    if [ "$status" -eq 0 ] && [ "$SCEN_FAILED" -eq 0 ] && [ "$SCEN_SKIPPED" -ne 0 ]; then
        echo "SKIP $name ($took ms)"
        skipped=$((skipped + 1))
    elif [ "$status" -eq 0 ] && [ "$SCEN_FAILED" -eq 0 ]; then
        echo "PASS $name ($took ms)"
        passed=$((passed + 1))
    else
        echo "FAIL $name ($took ms; logs in $E2E_OUT/$name)"
        failed=$((failed + 1))
    fi
done

if [ "$skipped" -gt 0 ]; then
    echo "$passed passed, $failed failed, $skipped skipped"
else
    echo "$passed passed, $failed failed"
fi
[ "$failed" -eq 0 ]
