# The program's job: a window chosen with a click or a drag while armed is
# enhanced and followed, and a media player's video window is found without
# a click. The target and the stand-in player are programs of our own that
# trace where their windows are; lvmon reads what the program sent.

# What lvmon has read so far, one message a line: "off", "region L T R B".
lv_messages() { grep -E '^[0-9.]+ (off|region)' "$SCEN_DIR/lvmon.txt" | cut -d' ' -f2-; }
lv_message() { lv_messages | sed -n "${1}p"; }
lv_count() { lv_messages | wc -l; }
has_count() { [ "$(lv_count)" -ge "$1" ]; }
last_is() { [ "$(lv_messages | tail -n 1 | cut -d' ' -f1)" = "$1" ]; }
# The last rectangle a helper traced: "lvtarget: client L T R B ..." or
# "lvplayer: video L T R B".
last_rect() { trace_lines "$SCEN_DIR/$1.trace" "$2" | grep "^$3 " | tail -n 1 | cut -d' ' -f2-5; }
# region_ok N L T R B: lvmon's message N is the region sent for L T R B.
region_ok() {
    local n=$1
    shift
    python3 "$E2E_DIR/check_monitor.py" region --got "$(lv_message "$n")" --rect "$@" --width "$SCEN_W"
}
# Waits for message N and checks it is the region of the rectangle.
expect_region() {
    local n=$1 what=$2
    shift 2
    if ! wait_until 8 has_count "$n"; then
        fail "$what: no message $n (lvmon read: $(lv_messages | tr '\n' ';'))"
        return 1
    fi
    region_ok "$n" "$@" || fail "$what: expected the region $*"
}
expect_off() {
    local n=$1 what=$2
    wait_until 8 has_count "$n" || { fail "$what: no message $n"; return 1; }
    [ "$(lv_message "$n")" = "off" ] || fail "$what: message $n is '$(lv_message "$n")', not off"
}

start_program() {
    start_in_desktop lumivane "$LUMIVANE"
    if ! wait_until 20 has_trace "$SCEN_DIR/lumivane.trace" lumivane "bar ready"; then
        fail "the bar did not come up"
        return 1
    fi
    sleep 0.3
}
arm() {
    press_mouse "$(tray_x)" "$(tray_y)"
    wait_until 5 has_count "$1" || fail "arming from the tray sent nothing"
}
# center L T R B: the middle of a rectangle.
center() { echo $((($1 + $3) / 2)) $((($2 + $4) / 2)); }

# Armed from the tray, a click in the middle of the target's client area:
# lvmon reads the off frame of the click, then the client rectangle
# (messages 2 and 3; arming sent message 1). Leaves the rectangle in the
# caller's `client` array.
click_target_client() {
    arm 1
    local x y
    read -r -a client <<<"$(last_rect target lvtarget client)"
    read -r x y <<<"$(center "${client[@]}")"
    press_mouse "$x" "$y"
    expect_off 2 "click"
    expect_region 3 "click on the client area" "${client[@]}"
}

# A click in the target's client area: its client rectangle is enhanced;
# then the target moves, minimises, comes back and closes by its own script.
scenario_select_follow() {
    start_lvmon "$SCEN_DIR/lvmon.txt" || return 1
    start_in_desktop target "$TARGET_EXE" --rect 200 150 600 450 \
        --script "9000:move 300 200;12000:minimise;14500:restore;15000:front;17500:close"
    wait_until 20 has_trace_starting "$SCEN_DIR/target.trace" lvtarget "client" || { fail "no target"; return 1; }
    start_program || return 1
    local client
    click_target_client
    note "clicked at $(center "${client[@]}" | tr ' ' ,): $(lv_message 3) for the client area ${client[*]}"

    wait_until 15 has_trace "$SCEN_DIR/target.trace" lvtarget "did move" || fail "the target did not move"
    read -r -a client <<<"$(last_rect target lvtarget client)"
    expect_off 4 "move"
    expect_region 5 "moved" "${client[@]}"
    wait_until 10 has_trace "$SCEN_DIR/target.trace" lvtarget "did minimise" || fail "the target did not minimise"
    expect_off 6 "minimise"
    wait_until 10 has_trace "$SCEN_DIR/target.trace" lvtarget "did front" || fail "the target did not come back"
    sleep 1.5
    local n
    n=$(lv_count)
    [ "$n" -ge 7 ] && last_is region && region_ok "$n" "${client[@]}" ||
        fail "restored to the front: the region did not come back (lvmon read: $(lv_messages | tr '\n' ';'))"
    wait_until 10 has_trace "$SCEN_DIR/target.trace" lvtarget "did close" || fail "the target did not close"
    sleep 1.5
    last_is off || fail "closing the target did not turn the region off"
    note "messages: $(lv_messages | tr '\n' ';')"
}

# drag_mouse X1 Y1 X2 Y2 STEPS: presses at the first point, moves to the
# second in STEPS steps with the button held, releases there. Each step and
# the press outlast several 10 ms selection ticks.
drag_mouse() {
    local x1=$1 y1=$2 x2=$3 y2=$4 steps=$5 i
    xdotool mousemove "$x1" "$y1"
    sleep 0.1
    xdotool mousedown 1
    sleep 0.2
    for i in $(seq "$steps"); do
        xdotool mousemove $((x1 + (x2 - x1) * i / steps)) $((y1 + (y2 - y1) * i / steps))
        sleep 0.1
    done
    sleep 0.1
    xdotool mouseup 1
}

# Armed from the tray, a drag inside the target's client area from near its
# top left corner to near its bottom right one: the dragged rectangle, not the
# whole client area, is sent (off, then the region from the press point to
# the release point). The target opens once the program is armed and has the
# foreground when pressed: Wine's DirectInput then always sees the program's
# own injected release (when the press takes the foreground from the
# program, that release now and then never reaches DirectInput), so only the
# reading that ignores injected input keeps the drag a drag.
scenario_select_drag() {
    start_lvmon "$SCEN_DIR/lvmon.txt" || return 1
    start_program || return 1
    arm 1
    start_in_desktop target "$TARGET_EXE" --rect 200 150 600 450
    wait_until 20 has_trace "$SCEN_DIR/target.trace" lvtarget "foreground yes" || { fail "no target in front"; return 1; }
    local client
    read -r -a client <<<"$(last_rect target lvtarget client)"
    local x1=$((client[0] + 30)) y1=$((client[1] + 25)) x2=$((client[2] - 40)) y2=$((client[3] - 35))
    drag_mouse "$x1" "$y1" "$x2" "$y2" 5
    expect_off 2 "drag"
    expect_region 3 "the dragged rectangle $x1,$y1 to $x2,$y2" "$x1" "$y1" "$x2" "$y2"
    note "dragged from $x1,$y1 to $x2,$y2 in the client area ${client[*]}: $(lv_message 3)"

    # Both ends on the target: it is followed, the rectangle at the same
    # place in its client area after a move (the key m moves it by itself).
    local win moved
    win=$(program_windows target_window.exe | awk '$2 > 300 && $3 > 200 { print $1; exit }')
    [ -n "$win" ] || { fail "no X window of the target"; return 1; }
    press_key "$win" m
    wait_until 10 has_trace "$SCEN_DIR/target.trace" lvtarget "did move" || { fail "the target did not move"; return 1; }
    read -r -a moved <<<"$(last_rect target lvtarget client)"
    local dx=$((moved[0] - client[0])) dy=$((moved[1] - client[1]))
    expect_off 4 "move"
    expect_region 5 "the dragged rectangle moved by $dx,$dy" $((x1 + dx)) $((y1 + dy)) $((x2 + dx)) $((y2 + dy))
    note "moved by $dx,$dy: $(lv_message 5)"
}

no_menu() { ! has_menu; }

# With a followed window's region on row 0, the tray menu opened and closed
# with Escape: the program's own menu in front is not another application
# in front, so the region stays on (no off frame while the menu is up, none
# after), each wait several 300 ms following ticks long.
scenario_tray_menu_follow() {
    start_lvmon "$SCEN_DIR/lvmon.txt" || return 1
    start_in_desktop target "$TARGET_EXE" --rect 200 150 600 450
    wait_until 20 has_trace_starting "$SCEN_DIR/target.trace" lvtarget "client" || { fail "no target"; return 1; }
    start_program || return 1
    local client
    click_target_client
    [ "$SCEN_FAILED" -eq 0 ] || return 1
    sleep 1
    [ "$(lv_count)" -eq 3 ] || { fail "before the menu lvmon read more: $(lv_messages | tr '\n' ';')"; return 1; }
    right_press "$(tray_x)" "$(tray_y)"
    wait_until 5 has_menu || { fail "the tray menu did not open"; return 1; }
    sleep 1.5
    [ "$(lv_count)" -eq 3 ] || fail "with the tray menu open lvmon read more: $(lv_messages | tr '\n' ';')"
    xdotool key Escape
    wait_until 5 no_menu || fail "Escape did not close the tray menu"
    sleep 1.5
    [ "$(lv_count)" -eq 3 ] && last_is region && region_ok 3 "${client[@]}" ||
        fail "after the tray menu the region is not the last message (lvmon read: $(lv_messages | tr '\n' ';'))"
    note "messages: $(lv_messages | tr '\n' ';')"
}

# The stand-in player runs before the program starts: its video window is
# enhanced without a click, followed when the player moves, off when it
# closes.
scenario_player() {
    start_lvmon "$SCEN_DIR/lvmon.txt" || return 1
    start_in_desktop player "$PLAYER_EXE" --rect 100 100 700 500 --script "9000:move 220 160;12000:close"
    wait_until 20 has_trace_starting "$SCEN_DIR/player.trace" lvplayer "video" || { fail "no player"; return 1; }
    local video
    read -r -a video <<<"$(last_rect player lvplayer video)"
    start_program || return 1
    expect_off 1 "detection"
    expect_region 2 "the video window found" "${video[@]}"
    note "found: $(lv_message 2) for the video window ${video[*]}"
    wait_until 15 has_trace "$SCEN_DIR/player.trace" lvplayer "did move" || fail "the player did not move"
    read -r -a video <<<"$(last_rect player lvplayer video)"
    expect_off 3 "player moved"
    expect_region 4 "the moved video window" "${video[@]}"
    wait_until 10 has_trace "$SCEN_DIR/player.trace" lvplayer "did close" || fail "the player did not close"
    sleep 1.5
    last_is off || fail "closing the player did not turn the region off"
    note "messages: $(lv_messages | tr '\n' ';')"
}

# found_once NAME: the program traced once that it found the video window of
# the player the table calls NAME, and no other.
found_once() {
    local found
    found=$(trace_lines "$SCEN_DIR/lumivane.trace" lumivane | grep '^found the video window of ')
    [ "$found" = "found the video window of $1" ] ||
        fail "the program's finds: '${found//$'\n'/;}', not once '$1'"
}

# The MPC-HC stand-in (main frame MediaPlayerClassicW; a tool bar above the
# view, id 0xE900, whose client area is the picture; a status bar below)
# runs before the program: the view's client area is enhanced without a
# click, followed when the player moves, off when it closes.
scenario_player_mpc() {
    start_lvmon "$SCEN_DIR/lvmon.txt" || return 1
    start_in_desktop player "$PLAYER_EXE" --kind mpc-hc --rect 100 100 700 500 \
        --script "9000:move 220 160;12000:close"
    wait_until 20 has_trace_starting "$SCEN_DIR/player.trace" lvplayer "video" || { fail "no player"; return 1; }
    local video
    read -r -a video <<<"$(last_rect player lvplayer video)"
    start_program || return 1
    expect_off 1 "detection"
    expect_region 2 "the view found" "${video[@]}"
    note "found: $(lv_message 2) for the view's client area ${video[*]}"
    wait_until 15 has_trace "$SCEN_DIR/player.trace" lvplayer "did move" || fail "the player did not move"
    read -r -a video <<<"$(last_rect player lvplayer video)"
    expect_off 3 "player moved"
    expect_region 4 "the moved view" "${video[@]}"
    wait_until 10 has_trace "$SCEN_DIR/player.trace" lvplayer "did close" || fail "the player did not close"
    sleep 1.5
    [ "$(lv_count)" -eq 5 ] && last_is off ||
        fail "closing the player: not one off frame after the region (lvmon read: $(lv_messages | tr '\n' ';'))"
    found_once MPC-HC
    note "messages: $(lv_messages | tr '\n' ';')"
}

# The mpv stand-in (one top-level window of class mpv, the picture its client
# area) goes full screen before the program starts: the whole screen is
# enhanced without a click and stays so while it plays; off when it closes.
scenario_player_mpv_fullscreen() {
    start_lvmon "$SCEN_DIR/lvmon.txt" || return 1
    start_in_desktop player "$PLAYER_EXE" --kind mpv --rect 100 100 700 500 --script "0:fullscreen;12000:close"
    wait_until 20 has_trace "$SCEN_DIR/player.trace" lvplayer "did fullscreen" || { fail "no player in full screen"; return 1; }
    local video
    read -r -a video <<<"$(last_rect player lvplayer video)"
    [ "${video[*]}" = "0 0 $SCEN_W $SCEN_H" ] || { fail "the stand-in in full screen traced ${video[*]}"; return 1; }
    start_program || return 1
    expect_off 1 "detection"
    expect_region 2 "the full-screen player found" "${video[@]}"
    note "found: $(lv_message 2) for the client area ${video[*]}"
    wait_until 15 has_trace "$SCEN_DIR/player.trace" lvplayer "did close" || fail "the player did not close"
    [ "$(last_rect player lvplayer video)" = "${video[*]}" ] || fail "the player left full screen before closing"
    sleep 1.5
    [ "$(lv_count)" -eq 3 ] && last_is off ||
        fail "in full screen then closed: not the region, then one off frame (lvmon read: $(lv_messages | tr '\n' ';'))"
    found_once mpv
    note "messages: $(lv_messages | tr '\n' ';')"
}

register_scenario select-follow 1024x768 scenario_select_follow
register_scenario select-drag 1024x768 scenario_select_drag
register_scenario tray-menu-follow 1024x768 scenario_tray_menu_follow
register_scenario player 1024x768 scenario_player
register_scenario player-mpc 1024x768 scenario_player_mpc
register_scenario player-mpv-fullscreen 1024x768 scenario_player_mpv_fullscreen
