# The program driven as a user drives it: the tray icon, its menu, the hot
# key, Show Bar and Hide Bar, and Exit. The monitor's eyes (lvmon) check what
# each step sends; the icon's pixels and the bar's X window show the looks.

# The messages lvmon has read so far, one word each (off, region).
messages() { grep -E '^[0-9.]+ (off|region)' "$SCEN_DIR/lvmon.txt" | awk '{ print $2 }' | tr '\n' ' '; }
message_count() { grep -cE '^[0-9.]+ (off|region)' "$SCEN_DIR/lvmon.txt"; }
has_messages() { [ "$(message_count)" -ge "$1" ]; }
wait_messages() { wait_until "${2:-5}" has_messages "$1"; }

scenario_shell() {
    start_lvmon "$SCEN_DIR/lvmon.txt" || return 1
    start_in_desktop lumivane "$LUMIVANE"
    if ! wait_until 20 has_trace "$SCEN_DIR/lumivane.trace" lumivane "bar ready"; then
        fail "the bar did not come up"
        return 1
    fi
    sleep 0.5
    local idle armed
    idle=$(tray_pixels)

    # A left click arms: the monitor is told off, the icon turns yellow.
    press_mouse "$(tray_x)" "$(tray_y)"
    wait_messages 1 || fail "no off frame after the first tray click"
    sleep 0.3
    armed=$(tray_pixels)
    [ "$armed" != "$idle" ] || fail "the tray icon did not change when armed"
    # A second click disarms: off again, the idle icon back.
    press_mouse "$(tray_x)" "$(tray_y)"
    wait_messages 2 || fail "no off frame after the second tray click"
    sleep 0.3
    [ "$(tray_pixels)" = "$idle" ] || fail "the idle icon did not come back"
    note "tray clicks: $(messages)"

    # The hot key sends the whole screen, a second press turns it off.
    # (a message is read once its last frame has gone: off, then the region)
    xdotool key super+p
    wait_messages 4 || fail "no off and region after the hot key"
    # The whole screen: left edge 0 (x = 2 stands for columns 0 to 2), right
    # edge at the frame's end, rows 0 to the height.
    grep -qE "^[0-9.]+ region 0(-[0-9]+)? 0 [0-9]+\+ $SCEN_H$" "$SCEN_DIR/lvmon.txt" ||
        fail "the hot key did not send the whole screen: $(messages)"
    sleep 0.3
    xdotool key super+p
    wait_messages 5 || fail "no off frame after the second hot key press"
    [ "$(messages)" = "off off off region off " ] || fail "the hot key presses sent $(messages)"
    note "hot key: $(grep -E '^[0-9.]+ region' "$SCEN_DIR/lvmon.txt" | head -1 | cut -d' ' -f2-)"

    # The tray menu; Show Bar puts the 95 x 24 bar at the top centre and
    # takes the icon away.
    right_press "$(tray_x)" "$(tray_y)"
    wait_until 5 has_menu || { fail "the tray menu did not open"; return 1; }
    sleep 0.3
    # Idle: Start offered, Stop greyed.
    local start_dark stop_dark
    start_dark=$(dark_pixels 1)
    stop_dark=$(dark_pixels 2)
    [ "$start_dark" -gt 0 ] && [ "$stop_dark" -eq 0 ] ||
        fail "idle menu: Start shows $start_dark dark pixels, Stop $stop_dark (Stop must be greyed)"
    note "tray menu: Start $start_dark dark pixels, Stop $stop_dark"
    choose_item 6
    if wait_until 5 has_window_of_size 95 24; then
        local id x y
        read -r id x y <<<"$(window_of_size 95 24)"
        [ "$x" -eq $((SCEN_W / 2 - 50)) ] && [ "$y" -eq 0 ] || fail "the bar is at $x,$y"
        sleep 0.5
        [ "$(tray_pixels)" != "$idle" ] || fail "the tray icon stayed while the bar is shown"
        # The bar's menu (on its tool bar); Hide Bar brings the icon back.
        right_press $((x + 12)) 10
        wait_until 5 has_menu || fail "the bar's menu did not open"
        choose_item 6
        wait_until 5 no_window_of_size 95 24 || fail "Hide Bar left the bar up"
        sleep 0.5
        [ "$(tray_pixels)" = "$idle" ] || fail "Hide Bar did not bring the icon back"
    else
        fail "Show Bar did not show a 95 x 24 bar"
    fi

    # Exit ends it (its off frames are counted by the exit scenario).
    right_press "$(tray_x)" "$(tray_y)"
    wait_until 5 has_menu && choose_item 12
    wait_until 10 wine_not_running lumivane.exe || fail "the program did not end after Exit"
    stop_lvmon
    note "messages: $(messages)"
    return 0
}

register_scenario shell 1024x768 scenario_shell
