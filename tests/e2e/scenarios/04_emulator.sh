# The monitor emulator for Windows, lvmon.exe, in the desktop with the link
# probe: it reads the same messages as the Linux lvmon, draws the region as
# an outline that keeps out of row 0, and ends on Escape in its legend.

LEGEND_W=330
LEGEND_H=90

# outline_seen X Y W H: lvmon.exe shows an outline window there now.
outline_seen() {
    local id
    id=$(program_windows lvmon.exe | awk -v g="$3 $4 $1 $2" '$2 " " $3 " " $4 " " $5 == g { print $1; exit }')
    [ -n "$id" ] && is_viewable "$id"
}
# The outlines lvmon.exe shows now: its mapped windows but the legend.
shown_outlines() {
    local id
    for id in $(program_windows lvmon.exe | awk -v l="$1" '$1 != l { print $1 }'); do
        is_viewable "$id" && echo "$id"
    done
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

    # The region 40 60 700 500 and the whole screen, each from row 1 down.
    local region=0 whole=0
    wait_closely 15 outline_seen 40 60 660 440 && region=1
    wait_closely 5 outline_seen 0 1 "$SCEN_W" $((SCEN_H - 1)) && whole=1
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
    press_key "$legend" Escape
    wait_until 10 wine_not_running lvmon.exe || fail "lvmon.exe did not end on Escape"
    python3 "$E2E_DIR/check_monitor.py" link --monitor "$log" \
        --trace "$SCEN_DIR/probe.trace" --width "$SCEN_W" --height "$SCEN_H"
}

register_scenario emulator 1024x768 scenario_emulator
