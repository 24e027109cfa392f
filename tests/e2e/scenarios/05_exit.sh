# Ending the program the normal way paints the off frame at process exit,
# from the global link. Each way of ending it is one case with the off frames
# it must paint: the bar's Exit command sends its own first, so its case
# expects two.

# Exit from the tray icon's menu: the command's off frame, then the
# exit-time one. (Escape no longer ends the program: the bar swallows it.)
end_with_exit_command() {
    right_press "$(tray_x)" "$(tray_y)"
    wait_until 5 has_menu || { fail "the tray menu did not open"; return 1; }
    choose_item 12
}

# exit_case HOW OFF_FRAMES
exit_case() {
    local how=$1 expected=$2
    start_lvmon "$SCEN_DIR/lvmon.txt" || return 1
    start_in_desktop lumivane "$LUMIVANE"
    if ! wait_until 20 has_trace "$SCEN_DIR/lumivane.trace" lumivane "bar ready"; then
        fail "the program did not come up"
        return 1
    fi
    sleep 0.5
    "$how"
    if ! wait_until 10 wine_not_running lumivane.exe; then
        fail "the program did not end after $how"
        return 1
    fi
    sleep 0.3
    stop_lvmon
    has_trace "$SCEN_DIR/lumivane.trace" lumivane "bar ended" || fail "no 'bar ended' trace line"
    python3 "$E2E_DIR/check_monitor.py" offs --monitor "$SCEN_DIR/lvmon.txt" --expect "$expected"
}

register_scenario exit-command 1024x768 exit_case end_with_exit_command 2
