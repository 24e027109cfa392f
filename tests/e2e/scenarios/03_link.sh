# The link on the real framebuffer: the link probe sends off, a region, the
# whole screen, a region dragged up and to the left and two regions partly
# off the screen from its window's timer, then ends (the global link paints
# the off frame at exit). lvmon must read each message with the values sent,
# each frame must stay for its time and the desktop must come back after it;
# check_monitor.py prints the figures. The same on several desktop sizes.

scenario_link() {
    start_lvmon "$SCEN_DIR/lvmon.txt" || return 1
    start_in_desktop probe "$LINK_PROBE"
    if ! wait_until 30 has_trace_starting "$SCEN_DIR/probe.trace" lvprobe "done"; then
        fail "the probe did not finish: $(trace_lines "$SCEN_DIR/probe.trace" lvprobe | tail -1)"
        return 1
    fi
    # The exit-time off frame, then its erase.
    wait_until 10 wine_not_running link_probe.exe || fail "the probe did not exit"
    sleep 0.3
    stop_lvmon
    python3 "$E2E_DIR/check_monitor.py" link --monitor "$SCEN_DIR/lvmon.txt" \
        --trace "$SCEN_DIR/probe.trace" --width "$SCEN_W" --height "$SCEN_H"
}

register_scenario link-1024x768 1024x768 scenario_link
register_scenario link-1280x1024 1280x1024 scenario_link
register_scenario link-1920x1080 1920x1080 scenario_link
