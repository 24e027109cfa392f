# The program on a display scaled to 150 % (144 DPI), in a Wine prefix of
# the scenario's own so that the others stay at 96 DPI: Show Bar puts the
# bar up at 1.5 times its size, at the top centre, and a click on a window
# still sends its client rectangle in physical pixels. Uses the helpers of
# 07_follow.sh.

SCALE_DPI=144

# at_scale N: a length of N pixels at 96 DPI scaled to SCALE_DPI, rounded.
at_scale() { echo $((($1 * SCALE_DPI + 48) / 96)); }

# What dpi_probe traced for a key ("monitor", "logpixels", "small icon").
probe_value() { trace_lines "$SCEN_DIR/dpi.trace" lvdpi | sed -n "s/^$1 //p" | head -n 1; }

scenario_scale() {
    use_own_prefix "$SCEN_NAME" || return 1
    # Wine 8 reads the scale when a process starts, from HKCU\Control
    # Panel\Desktop "LogPixels" (else from HKLM\System\CurrentControlSet\
    # Hardware Profiles\Current\Software\Fonts, else 96).
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$SCALE_DPI" /f >"$SCEN_DIR/reg.log" 2>&1 ||
        { fail "cannot set LogPixels: $(tail -n 2 "$SCEN_DIR/reg.log")"; return 1; }
    start_lvmon "$SCEN_DIR/lvmon.txt" || return 1
    start_in_desktop target "$TARGET_EXE" --rect 200 150 600 450
    wait_until 20 has_trace_starting "$SCEN_DIR/target.trace" lvtarget "client" || { fail "no target"; return 1; }

    # What the system tells a program as DPI aware as ours (its manifest).
    start_in_desktop dpi "$DPI_PROBE"
    wait_until 20 has_trace_starting "$SCEN_DIR/dpi.trace" lvdpi "screen" || { fail "dpi_probe traced nothing"; return 1; }
    local monitor logpixels seen
    monitor=$(probe_value monitor)
    logpixels=$(probe_value logpixels)
    seen=$monitor
    [ "$seen" = none ] && seen=$logpixels
    note "LogPixels $SCALE_DPI: GetDpiForMonitor $monitor, LOGPIXELSX $logpixels, small icon $(probe_value "small icon")"
    if [ "$seen" != "$SCALE_DPI" ]; then
        skip_scenario "with LogPixels $SCALE_DPI Wine tells a per-monitor-aware program $seen DPI" \
            "(GetDpiForMonitor $monitor, LOGPIXELSX $logpixels): the program cannot be seen at 150 % here"
        return 0
    fi

    # The target has no manifest; Wine 8 gives such a program physical
    # pixels all the same, so its traced rectangles are what the program
    # must send. Its X window shows whether that still holds.
    local traced xwin
    read -r -a traced <<<"$(trace_lines "$SCEN_DIR/target.trace" lvtarget | grep '^client ' | tail -n 1 | cut -d' ' -f7-10)"
    xwin=$(program_windows target_window.exe | awk '$2 > 300 && $3 > 200 { print $4, $5, $4 + $2, $5 + $3; exit }')
    [ "$xwin" = "${traced[*]}" ] ||
        { fail "the target traces its window at ${traced[*]}, its X window is at $xwin: not physical pixels"; return 1; }

    start_program || return 1
    local client
    click_target_client
    note "clicked at $(center "${client[@]}" | tr ' ' ,): $(lv_message 3) for the client area ${client[*]}"

    # Show Bar from the tray menu: the bar at the scale, at the top centre.
    right_press "$(tray_x)" "$(tray_y)"
    wait_until 5 has_menu || { fail "the tray menu did not open"; return 1; }
    sleep 0.3
    choose_item 6
    local bar_w bar_h want_x x y
    bar_w=$(at_scale 95)
    bar_h=$(at_scale 24)
    want_x=$((SCEN_W / 2 - $(at_scale 50)))
    if wait_until 5 has_window_of_size "$bar_w" "$bar_h"; then
        read -r _ x y <<<"$(window_of_size "$bar_w" "$bar_h")"
        note "bar ${bar_w}x$bar_h at $x,$y"
        [ "$x" -eq "$want_x" ] && [ "$y" -eq 0 ] || fail "the bar is at $x,$y, not $want_x,0"
    else
        fail "Show Bar did not show a $bar_w x $bar_h bar; the program's windows: $(program_windows lumivane.exe |
            awk '{ printf "%sx%s+%s+%s ", $2, $3, $4, $5 }')"
    fi
    stop_lvmon
    note "messages: $(lv_messages | tr '\n' ';')"
    return 0
}

register_scenario scale-150 1024x768 scenario_scale
