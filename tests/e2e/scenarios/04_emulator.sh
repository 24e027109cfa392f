# The monitor emulator for Windows, lvmon.exe, in the desktop with the link
# probe: it reads the same messages as the Linux lvmon, draws the region as
# an outline that keeps out of row 0, and ends on Escape in its legend.

LEGEND_W=330
LEGEND_H=90

OUTLINE_T=3  # the outline strips' thickness

# shown_window_at W H X Y: lvmon.exe shows a window of that geometry now.
shown_window_at() {
    local id
    id=$(program_windows lvmon.exe | awk -v g="$*" '$2 " " $3 " " $4 " " $5 == g { print $1; exit }')
    [ -n "$id" ] && is_viewable "$id"
}
# outline_seen X Y W H: lvmon.exe frames that rectangle now: its top and its
# left strip are there.
outline_seen() {
    shown_window_at "$3" "$OUTLINE_T" "$1" "$2" && shown_window_at "$OUTLINE_T" "$4" "$1" "$2"
}
# outline_after_send N X Y W H: once the probe has sent message N, lvmon.exe
# frames that rectangle (a few looks, 30 ms apart, before the next send).
outline_after_send() {
    local n=$1
    shift
    wait_until 15 has_trace_starting "$SCEN_DIR/probe.trace" lvprobe "sent $n " || return 1
    local i
    for i in 1 2 3; do
        outline_seen "$@" && return 0
        sleep 0.03
    done
    return 1
}
# The outlines lvmon.exe shows now: its mapped windows but the legend.
shown_outlines() {
    local id
    for id in $(program_windows lvmon.exe | awk -v l="$1" '$1 != l { print $1 }'); do
        is_viewable "$id" && echo "$id"
    done
}

# strips_owned_by LEGEND: lvmon.exe's windows but the legend, the outline's
# four strips at least, are owned by the legend: Wine gives an owned window
# WM_TRANSIENT_FOR its owner's X window. An owned window has no taskbar
# button (Wine's taskbar gives an unowned tool window one).
strips_owned_by() {
    local legend=$1 id owner n=0
    for id in $(program_windows lvmon.exe | awk -v l="$legend" '$1 != l { print $1 }'); do
        owner=$(xprop -id "$id" WM_TRANSIENT_FOR 2>/dev/null | awk '/window id #/ { print $NF }')
        [ -n "$owner" ] && [ $((owner)) -eq $((legend)) ] || return 1
        n=$((n + 1))
    done
    [ "$n" -ge 4 ]
}

scenario_emulator() {
    local log="$SCEN_DIR/lvmon_exe.txt"
    start_in_desktop lvmon_exe "$LVMON_EXE" --output "$(wine_path "$log")"
    if ! wait_until 20 has_window_of_size $LEGEND_W $LEGEND_H; then
        fail "no legend window of lvmon.exe"
        return 1
    fi
    local legend
    read -r legend _ <<<"$(window_of_size $LEGEND_W $LEGEND_H)"
    start_in_desktop probe "$LINK_PROBE"

    # The region 40 60 700 500 (send 1) and the whole screen (send 2), each
    # from row 1 down. The outline is up from the message's columns frame
    # until the next message's rows frame; we look once the probe has asked
    # for the erase ("sent N"), in the 250 ms before its next send. Querying
    # the X server while frames are on the screen would delay the desktop's
    # repaint of row 0 that lvmon.exe is timing.
    local region=0 whole=0
    outline_after_send 1 40 60 660 440 && region=1
    outline_after_send 2 0 1 "$SCEN_W" $((SCEN_H - 1)) && whole=1
    [ "$region" -eq 1 ] || fail "no outline at 40,60 660 x 440 for the region 40 60 700 500"
    [ "$whole" -eq 1 ] || fail "no outline of the whole screen below row 0"
    note "outlines seen: region $region, whole screen $whole"

    if ! wait_until 30 has_trace_starting "$SCEN_DIR/probe.trace" lvprobe "done" ||
        ! wait_until 10 wine_not_running link_probe.exe; then
        fail "the probe did not finish"
        return 1
    fi
    sleep 0.3
    # The exit-time off frame ends the enhancement: no outline is left.
    [ -z "$(shown_outlines "$legend")" ] || fail "an outline is still shown after the off frame"
    strips_owned_by "$legend" || fail "the outline's strips are not owned by the legend (they get taskbar buttons)"
    press_key "$legend" Escape
    wait_until 10 wine_not_running lvmon.exe || fail "lvmon.exe did not end on Escape"
    python3 "$E2E_DIR/check_monitor.py" link --monitor "$log" \
        --trace "$SCEN_DIR/probe.trace" --width "$SCEN_W" --height "$SCEN_H"
}

register_scenario emulator 1024x768 scenario_emulator
