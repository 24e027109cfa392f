# A virtual X display of the suite's own, for the standalone suites
# (tray_scenarios.sh, package_scenarios.sh). The sourcing script sets W, H
# (the screen), WORK (where the log goes) and skip_all (exit 77, saying why);
# start_xvfb exports DISPLAY and sets xvfb_pid for the script's cleanup.

# The first display number with neither a lock nor a socket.
free_display() {
    local n
    for n in $(seq 74 120); do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
            echo ":$n"
            return 0
        fi
    done
    return 1
}

start_xvfb() {
    command -v Xvfb >/dev/null || skip_all "Xvfb is not installed"
    DISPLAY=$(free_display) || skip_all "no free X display between :74 and :120"
    export DISPLAY
    Xvfb "$DISPLAY" -screen 0 "${W}x${H}x24" -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
    xvfb_pid=$!
    local i
    for i in $(seq 50); do
        if xdpyinfo >/dev/null 2>&1; then return 0; fi
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    skip_all "Xvfb did not start on $DISPLAY (see $WORK/xvfb.log)"
}
