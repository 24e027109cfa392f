# Start-up as a user sees it: the splash, the picture's 400 x 273 pixels
# centred on the screen, for 2000 ms of tick count; then it goes and the bar
# takes over.

SPLASH_MS=2000
# The X window is mapped a little before the wait starts and unmapped a
# little after it ends; each look at the windows takes about 10 ms, and the
# picture's screenshot delays the watch for the end by a little more.
SPLASH_EARLY_MS=50
SPLASH_LATE_MS=500

scenario_startup() {
    start_in_desktop lumivane "$LUMIVANE"
    # The program starts in about a second; from then on its splash is
    # watched closely, to time it.
    wait_until 20 wine_running lumivane.exe
    if ! wait_closely 20 has_window_of_size $SPLASH_W $SPLASH_H; then
        fail "no ${SPLASH_W} x ${SPLASH_H} window within 20 s"
        return 1
    fi
    local appeared gone
    appeared=$(now_ms)
    read -r id x y <<<"$(window_of_size $SPLASH_W $SPLASH_H)"

    # The picture is painted at once, although no message is processed.
    import -window "$id" "$SCEN_DIR/splash.png" 2>/dev/null
    local colours
    colours=$(convert "$SCEN_DIR/splash.png" -format %k info: 2>/dev/null || echo 0)
    [ "${colours:-0}" -ge 3 ] || fail "the splash shows $colours colour(s), not its picture"

    if ! wait_closely 10 no_window_of_size $SPLASH_W $SPLASH_H; then
        fail "the splash is still up after 10 s"
        return 1
    fi
    gone=$(now_ms)
    local shown=$((gone - appeared))
    note "splash ${SPLASH_W}x${SPLASH_H} at $x,$y on ${SCEN_W}x$SCEN_H, up for $shown ms, $colours colours"

    local want_x=$(((SCEN_W - SPLASH_W) / 2)) want_y=$(((SCEN_H - SPLASH_H) / 2))
    if [ $((x - want_x)) -lt -1 ] || [ $((x - want_x)) -gt 1 ] ||
        [ $((y - want_y)) -lt -1 ] || [ $((y - want_y)) -gt 1 ]; then
        fail "splash at $x,$y, not centred at $want_x,$want_y"
    fi
    if [ "$shown" -lt $((SPLASH_MS - SPLASH_EARLY_MS)) ] || [ "$shown" -gt $((SPLASH_MS + SPLASH_LATE_MS)) ]; then
        fail "splash up for $shown ms, not $SPLASH_MS ms (-$SPLASH_EARLY_MS/+$SPLASH_LATE_MS)"
    fi

    # Then the bar, and the trace in order.
    wait_until 10 has_trace "$SCEN_DIR/lumivane.trace" lumivane "splash gone" ||
        fail "no 'splash gone' trace line"
    local order
    order=$(trace_lines "$SCEN_DIR/lumivane.trace" lumivane | grep -E '^splash (shown|gone)$' | tr '\n' ',')
    [ "$order" = "splash shown,splash gone," ] || fail "trace lines in the wrong order: $order"
    wait_until 10 has_trace "$SCEN_DIR/lumivane.trace" lumivane "bar ready" || fail "the bar did not come up after the splash"
    return 0
}

register_scenario startup 1024x768 scenario_startup
