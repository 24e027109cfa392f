# The screen changes size while a window's region is on row 0 (a game or the
# display settings change the mode; here ways_out.exe display, which asks
# ChangeDisplaySettingsExA for it): Wine's virtual desktop takes the new size
# as a resize of its X window, and the program hears WM_DISPLAYCHANGE. The
# region of the followed window is sent again, off first, for the window's
# place on the new screen, clamped to it and coded for the new width; the bar
# goes to the new top centre.
#
# lvmon reads a fixed number of pixels: one started for the old width reads
# the new frames with Xvfb's pixels past the desktop, which no frame of that
# width fits (seen: it reads nothing after the change). A second lvmon for
# the new width takes over before the change, once the old width's frames
# are over. The bar moves without taking the foreground, so the region stays
# on afterwards (once it did take it, and the followed window, behind it,
# was turned off a tick later). The message helpers (lv_*, expect_*, arm, center,
# last_rect, start_program) are 07_follow.sh's.

DISPLAY_TO_W=800
DISPLAY_TO_H=600

# The messages of lvmon's second file, one a line.
lv_messages_after() { grep -E '^[0-9.]+ (off|region)' "$SCEN_DIR/lvmon-after.txt" | cut -d' ' -f2-; }
has_count_after() { [ "$(lv_messages_after | wc -l)" -ge "$1" ]; }
# The regions the program traced, one a line: "L T R B".
sent_regions() { trace_lines "$SCEN_DIR/lumivane.trace" lumivane | sed -n 's/^send region //p'; }
has_sent_regions() { [ "$(sent_regions | wc -l)" -ge "$1" ]; }
# display_mode W H: ways_out.exe changes the mode and ends; its trace line.
display_mode() {
    rm -f "$SCEN_DIR/display.trace"
    start_in_desktop display "$WAYS_OUT_EXE" display "$1" "$2"
    wait_until 20 has_trace_starting "$SCEN_DIR/display.trace" lvwaysout "exit " || { fail "ways_out.exe display $1 $2 did not finish"; return 1; }
    trace_lines "$SCEN_DIR/display.trace" lvwaysout | grep '^display ' | tail -n 1
    has_trace "$SCEN_DIR/display.trace" lvwaysout "exit 0"
}
desktop_size() {
    xwininfo -root -tree 2>/dev/null | awk -v desk="\"$SCEN_DESKTOP - Wine desktop\":" \
        'index($0, desk) { match($0, /[0-9]+x[0-9]+\+/); print substr($0, RSTART, RLENGTH - 1); exit }'
}
desktop_is() { [ "$(desktop_size)" = "$1" ]; }
# The X window's place: X Y (screen coordinates).
window_place() { desktop_windows | awk -v id="$1" '$1 == id { print $4, $5; exit }'; }
window_at() { [ "$(window_place "$1")" = "$2 $3" ]; }
# clamp L T R B W H: the rectangle cut to the screen.
clamp() {
    local l=$1 t=$2 r=$3 b=$4 w=$5 h=$6
    [ "$l" -ge 0 ] || l=0
    [ "$t" -ge 0 ] || t=0
    [ "$r" -le "$w" ] || r=$w
    [ "$b" -le "$h" ] || b=$h
    echo "$l $t $r $b"
}

scenario_display_change() {
    start_lvmon "$SCEN_DIR/lvmon.txt" || return 1
    # Partly past the new screen's right and bottom edges: the region is
    # clamped there.
    start_in_desktop target "$TARGET_EXE" --rect 500 300 950 700
    wait_until 20 has_trace_starting "$SCEN_DIR/target.trace" lvtarget "client" || { fail "no target"; return 1; }
    start_program || return 1
    # The bar: the program's X window at the top centre (0 x 0, shown by X
    # as 1 x 1, while hidden).
    local bar
    bar=$(desktop_windows | awk -v x=$((SCEN_W / 2 - 50)) '$6 == "lumivane.exe" && $4 == x && $5 == 0 { print $1; exit }')
    [ -n "$bar" ] || { fail "no bar at the top centre ($((SCEN_W / 2 - 50)),0)"; return 1; }
    local client
    click_target_client || return 1
    wait_until 3 grep -qE '^[0-9.]+ (restored|unrestored)' "$SCEN_DIR/lvmon.txt"
    stop_lvmon
    SCEN_W=$DISPLAY_TO_W start_lvmon "$SCEN_DIR/lvmon-after.txt" || return 1
    local regions_before
    regions_before=$(sent_regions | wc -l)

    local said
    said=$(display_mode "$DISPLAY_TO_W" "$DISPLAY_TO_H") || fail "the display mode did not change: '$said'"
    note "ways_out.exe: $said"
    wait_until 5 desktop_is "${DISPLAY_TO_W}x$DISPLAY_TO_H" || fail "the desktop's X window is $(desktop_size)"

    # The program's own word: off, then the region on the new screen.
    local want want_rect
    want=$(clamp "${client[@]}" "$DISPLAY_TO_W" "$DISPLAY_TO_H")
    read -r -a want_rect <<<"$want"
    if wait_until 5 has_sent_regions $((regions_before + 1)); then
        local got
        got=$(sent_regions | sed -n "$((regions_before + 1))p")
        [ "$got" = "$want" ] || fail "sent region $got after the change, $want expected"
        trace_lines "$SCEN_DIR/lumivane.trace" lumivane | awk -v n="$regions_before" \
            '/^send region/ { r++; if (r == n + 1) { ok = prev == "send off"; exit } } { prev = $0 } END { exit !ok }' ||
            fail "the region after the change did not follow an off frame"
    else
        fail "no region sent after the change"
    fi
    # The monitor's: the same, coded for the new width.
    if wait_until 5 has_count_after 2; then
        [ "$(lv_messages_after | sed -n 1p)" = off ] || fail "after the change lvmon read '$(lv_messages_after | sed -n 1p)', not off"
        python3 "$E2E_DIR/check_monitor.py" region --got "$(lv_messages_after | sed -n 2p)" --rect "${want_rect[@]}" \
            --width "$DISPLAY_TO_W" || fail "after the change lvmon read '$(lv_messages_after | sed -n 2p)' for $want"
    else
        fail "lvmon read no region after the change: '$(lv_messages_after | tr '\n' ';')'"
    fi
    # The bar at the new top centre.
    wait_until 5 window_at "$bar" $((DISPLAY_TO_W / 2 - 50)) 0 ||
        fail "the bar is at $(window_place "$bar"), not $((DISPLAY_TO_W / 2 - 50)) 0"
    note "after the change: lvmon read $(lv_messages_after | tr '\n' ';') the bar at $(window_place "$bar")"
    # The region stays on: nothing more is sent while the followed window
    # keeps the foreground.
    sleep 1
    local later
    later=$(trace_lines "$SCEN_DIR/lumivane.trace" lumivane | awk -v n="$regions_before" \
        '/^send region/ { r++; if (r == n + 1) { seen = 1; next } } seen && /^send/ { printf "%s;", $0 }')
    [ -z "$later" ] || fail "after the region the program sent: $later"

    # The desktop back as it was.
    said=$(display_mode "$SCEN_W" "$SCEN_H") || fail "the display mode did not come back: '$said'"
    wait_until 5 desktop_is "${SCEN_W}x$SCEN_H" || fail "the desktop's X window stays $(desktop_size)"
    wait_until 5 window_at "$bar" $((SCEN_W / 2 - 50)) 0 || fail "the bar did not go back to the top centre"
}

register_scenario display-change 1024x768 scenario_display_change
