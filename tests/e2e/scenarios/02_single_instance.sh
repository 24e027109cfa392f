# A second copy started while the first runs ends at once, before its
# splash, silently; the first goes on untouched.

SECOND_COPY_MAX_MS=5000  # from starting it under Wine to its process gone

scenario_single_instance() {
    local trace1="$SCEN_DIR/first.trace" trace2="$SCEN_DIR/second.trace"
    start_in_desktop first "$LUMIVANE"
    if ! wait_until 20 has_trace "$trace1" lumivane "splash gone" ||
        ! wait_until 10 has_trace "$SCEN_DIR/first.trace" lumivane "bar ready"; then
        fail "the first copy did not come up"
        return 1
    fi
    local first_pid first_windows first_trace
    first_pid=$(wine_pids lumivane.exe)
    first_windows=$(program_windows lumivane.exe)
    first_trace=$(trace_lines "$trace1" lumivane)

    local started ended splash_seen=0
    started=$(now_ms)
    start_in_desktop second "$LUMIVANE"
    # It joins the running desktop and runs detached: follow its trace and
    # the program's processes, watching for a splash all the while.
    local deadline=$((started + SECOND_COPY_MAX_MS + 5000))
    while ! has_trace "$trace2" lumivane "another instance runs" || [ "$(wine_pids lumivane.exe | wc -l)" -gt 1 ]; do
        has_window_of_size $SPLASH_W $SPLASH_H && splash_seen=1
        if [ "$(now_ms)" -gt "$deadline" ]; then
            fail "the second copy did not end: $(trace_lines "$trace2" lumivane | tr '\n' ';')"
            return 1
        fi
        sleep 0.02
    done
    ended=$(now_ms)
    local took=$((ended - started))
    note "second copy ended $took ms after it was started; its trace: $(trace_lines "$trace2" lumivane | tr '\n' ';')"

    [ "$splash_seen" -eq 0 ] || fail "a splash appeared while the second copy ran"
    has_trace "$trace2" lumivane "splash shown" && fail "the second copy showed its splash"
    has_trace "$trace2" lumivane "send off" && fail "the second copy painted an off frame over the first copy's region"
    [ "$took" -le "$SECOND_COPY_MAX_MS" ] || fail "the second copy took $took ms to end"
    sleep 0.5
    [ "$(wine_pids lumivane.exe)" = "$first_pid" ] || fail "the first copy is gone or changed"
    [ "$(program_windows lumivane.exe)" = "$first_windows" ] || fail "the first copy's windows changed"
    [ "$(trace_lines "$trace1" lumivane)" = "$first_trace" ] || fail "the first copy was told something"
    return 0
}

register_scenario single-instance 1024x768 scenario_single_instance
