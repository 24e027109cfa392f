# The ways the program is ended from outside: a WM_CLOSE from another
# program (taskkill without /F, an installer), the end of the session, and a
# crash. Each one must leave the desktop as the program found it: row 0 told
# "off" (the monitor would otherwise go on enhancing a region of a program
# that is gone), no tray icon, no process, no crash dialog. The system
# pointers are put back too, but SetSystemCursor does nothing in Wine 8: the
# host tests check them.
#
# Each case first gets a region on row 0 (armed from the tray, a click in the
# target's client area), so that the off frame afterwards means something.
# ways_out.exe takes the way out and watches the tray icon and the bar.
# The message helpers (lv_count, lv_message, expect_off, expect_region,
# last_rect, center, arm) are 07_follow.sh's.
#
# The tray icon: the notification area's pixels alone cannot tell, because
# Wine's shell drops the icons of a window that is destroyed (the desktop
# hears of every top-level window's end), so the icon goes with the bar even
# when the program never removes it. Three things together do tell:
#   - the program asks the shell to delete it: Wine's shell32 traces the call
#     (the systray channel, "Shell_NotifyIconW dwMessage = 2") between the
#     program's trace line for the way out and the bar's end;
#   - ways_out.exe finds the icon gone from the shell's list while the bar
#     still exists (a NIM_MODIFY that changes nothing fails once the shell
#     knows no such icon), where the program leaves the time for it: Exit
#     waits 300 ms after the removal, and a crash's handling by the system
#     holds the process and its windows; after the session's end the bar
#     ends a few milliseconds after its icon, so there it is reported only;
#   - the logo is no longer in the notification area.

# The logo's blue at the right end of the taskbar, where the first icon sits
# (as the tray scenarios count it).
logo_pixels() {
    import -window root -crop "40x20+$((SCEN_W - 40))+$((SCEN_H - 20))" +repage -depth 8 txt:- 2>/dev/null |
        awk -F'[(),]' 'NR > 1 && $3 < 60 && $4 > 40 && $4 < 120 && $5 > 150 { n++ } END { print n + 0 }'
}
logo_shown() { [ "$(logo_pixels)" -ge 100 ]; }
logo_gone() { [ "$(logo_pixels)" -lt 10 ]; }

# ways_out COMMAND: runs ways_out.exe in the desktop until it has finished;
# answers its exit status as it traced it. ways_out_start and ways_out_end
# are its two halves.
ways_out_start() {
    rm -f "$SCEN_DIR/ways_out.trace"
    start_in_desktop ways_out "$WAYS_OUT_EXE" "$1"
}
ways_out_end() {
    if ! wait_until 30 has_trace_starting "$SCEN_DIR/ways_out.trace" lvwaysout "exit "; then
        fail "ways_out.exe did not finish"
        return 1
    fi
    return "$(trace_lines "$SCEN_DIR/ways_out.trace" lvwaysout | sed -n 's/^exit //p' | tail -n 1)"
}
ways_out() {
    ways_out_start "$1"
    ways_out_end
}
ways_out_says() { has_trace "$SCEN_DIR/ways_out.trace" lvwaysout "$1"; }
ways_out_said() { trace_lines "$SCEN_DIR/ways_out.trace" lvwaysout | grep -E "^$1" | tail -n 1; }
# What the watcher saw of the icon, and of the process.
icon_outcome() { ways_out_said "icon (removed|gone|still)"; }
process_outcome() { ways_out_said "process (ended|still)"; }

# after_line FILE TEXT PATTERN [UNTIL]: a line matching PATTERN comes after
# the program's trace line TEXT (and before its line UNTIL, if any).
after_line() {
    awk -v text="OutputDebugStringA \"lumivane: $2\\\\n\"" -v pat="$3" \
        -v until_text="OutputDebugStringA \"lumivane: ${4:-}\\\\n\"" -v has_until="${4:+1}" '
        index($0, text) { seen = 1; next }
        seen && has_until && index($0, until_text) { seen = 0 }
        seen && $0 ~ pat { found = 1 }
        END { exit !found }' "$1"
}

# The ways out. Each sets WAY_LINE, the program's trace line for it.
way_close() {
    WAY_LINE="close from outside"
    ways_out close || fail "ways_out.exe close: status $?"
}
way_end_session() {
    WAY_LINE="session ends"
    ways_out end-session || fail "ways_out.exe end-session: status $?"
    local bar
    bar=$(trace_lines "$SCEN_DIR/ways_out.trace" lvwaysout | sed -n 's/^bar \([0-9a-fA-F]*\) process .*/\1/p')
    ways_out_says "query $bar answered 1" || fail "the bar did not answer TRUE to WM_QUERYENDSESSION"
    ways_out_says "end-session $bar TRUE: ok" || fail "WM_ENDSESSION(TRUE) did not reach the bar"
}
# Wine's own end of the session, watched by ways_out.exe.
way_wineboot() {
    WAY_LINE="session ends"
    ways_out_start watch
    wait_until 10 has_trace "$SCEN_DIR/ways_out.trace" lvwaysout watching || fail "ways_out.exe does not watch"
    start_in_desktop wineboot wineboot.exe --end-session
    wait_until 20 wine_not_running wineboot.exe || fail "wineboot --end-session did not finish"
    ways_out_end || fail "ways_out.exe watch: status $?"
    note "the target $(wine_running target_window.exe && echo still runs || echo ended too)"
}
way_crash() {
    WAY_LINE="crashed; putting the tray icon, the pointers and row 0 back"
    ways_out fault || fail "ways_out.exe fault: status $?"
}

# ways_out_case HOW EXE OFFS [FAULT]: the program (EXE; FAULT 1 arms the test
# build's fault switch) follows the target's client area, then ends by HOW
# (way_close, ...) within 5 s, with OFFS off frames after the region (N, or
# N+ for at least N) and nothing else on row 0, and its icon deleted.
ways_out_case() {
    local how=$1 exe=$2 offs=$3 fault=${4:-0} name
    name=$(basename "$exe")
    [ -f "$exe" ] || { fail "no $exe (build the win64 preset)"; return 1; }
    start_lvmon "$SCEN_DIR/lvmon.txt" || return 1
    start_in_desktop target "$TARGET_EXE" --rect 200 150 600 450
    wait_until 20 has_trace_starting "$SCEN_DIR/target.trace" lvtarget "client" || { fail "no target"; return 1; }
    # The systray channel shows the program's own calls of the shell.
    E2E_WINEDEBUG=-all,+debugstr,+systray LUMIVANE_TEST_FAULT=$fault start_in_desktop lumivane "$exe"
    if ! wait_until 20 has_trace "$SCEN_DIR/lumivane.trace" lumivane "bar ready"; then
        fail "the bar did not come up"
        return 1
    fi
    sleep 0.3

    # A region on row 0 first.
    local client
    click_target_client || return 1
    local before
    before=$(lv_count)
    wait_until 3 logo_shown || fail "no tray icon before the way out ($(logo_pixels) logo pixels)"

    "$how"
    if ! wait_until 5 wine_not_running "$name"; then
        fail "the program still runs after the way out: $(process_outcome)"
        import -window root "$SCEN_DIR/still-running.png" 2>/dev/null
        note "the desktop's windows (screenshot still-running.png): $(desktop_windows | awk '$2 > 1 || $3 > 1' | tr '\n' ';')"
        return 1
    fi
    local ended_ms
    ended_ms=$(process_outcome | sed -n 's/^process ended after \([0-9]*\) ms.*/\1/p')
    [ -n "$ended_ms" ] && [ "$ended_ms" -le 5000 ] || fail "the process did not end within 5 s: $(process_outcome)"
    # The last message's erase is seen once the desktop has repainted row 0.
    sleep 0.5
    stop_lvmon

    # Row 0: off after the region, nothing else, and the desktop back.
    local after count
    after=$(lv_messages | tail -n +$((before + 1)) | tr '\n' ';')
    count=$(lv_messages | tail -n +$((before + 1)) | grep -cx off)
    ! lv_messages | tail -n +$((before + 1)) | grep -qvx off || fail "row 0 after the way out: '$after' (only off frames expected)"
    if [ "${offs%+}" != "$offs" ]; then
        [ "$count" -ge "${offs%+}" ] || fail "row 0 after the way out: $count off frames, at least ${offs%+} expected"
    else
        [ "$count" -eq "$offs" ] || fail "row 0 after the way out: $count off frames, $offs expected"
    fi
    [ "$(grep -E '^[0-9.]+ (restored|unrestored)' "$SCEN_DIR/lvmon.txt" | tail -n 1 | cut -d' ' -f2)" = restored ] ||
        fail "the desktop's row 0 did not come back after the last frame"
    # Each off the program says it sent after the region was seen, and one
    # of them is the way out's own (before the bar's end and its exit-time
    # frame): where the target's end may add one, the count alone cannot tell.
    local sent
    sent=$(trace_lines "$SCEN_DIR/lumivane.trace" lumivane | awk '/^send region/ { n = 0; next } /^send off$/ { n++ } END { print n + 0 }')
    [ "$sent" -eq "$count" ] || fail "the program traced $sent off frames after the region, lvmon read $count"
    after_line "$SCEN_DIR/lumivane.trace" "$WAY_LINE" 'OutputDebugStringA "lumivane: send off.n"$' "bar ended" ||
        fail "no off frame sent between '$WAY_LINE' and the bar's end"
    has_trace "$SCEN_DIR/lumivane.trace" lumivane "$WAY_LINE" || fail "no '$WAY_LINE' trace line"

    # The tray icon.
    ways_out_says "icon 128 in the notification area: yes" || fail "ways_out.exe did not find the icon before the way out"
    # Before "bar ended": the bar's destructor deletes the icon again, once
    # the window is gone.
    after_line "$SCEN_DIR/lumivane.trace" "$WAY_LINE" 'trace:systray:Shell_NotifyIconW dwMessage = 2,' "bar ended" ||
        fail "the program did not ask the shell to delete its icon between '$WAY_LINE' and the bar's end"
    logo_gone || fail "the tray icon is still shown ($(logo_pixels) logo pixels)"
    note "row 0 after the way out: $after"
    note "ways_out.exe: $(icon_outcome); $(ways_out_said "bar gone"); $(process_outcome)"
}

# A WM_CLOSE from another program runs Exit: its off frame, then the
# exit-time one.
scenario_close_outside() {
    ways_out_case way_close "$LUMIVANE" 2 || return 1
    ways_out_says "posted WM_CLOSE: ok" || fail "ways_out.exe could not post WM_CLOSE"
    icon_outcome | grep -q "^icon removed while the bar exists" || fail "the icon did not go before the bar: $(icon_outcome)"
}

# The session ends: WM_QUERYENDSESSION is answered TRUE, WM_ENDSESSION(TRUE)
# puts everything back (its off frame) and ends the program (the exit-time
# one).
scenario_end_session() {
    ways_out_case way_end_session "$LUMIVANE" 2
}

# The same from Wine's own end of the session (wineboot --end-session), which
# also ends the target, and ends the program's process once WM_ENDSESSION
# has returned, as Windows may: then only the session's off frame is there
# (and the off frame of the target's end, when the target goes first).
scenario_end_session_wineboot() {
    ways_out_case way_wineboot "$LUMIVANE" 1+
}

# An access violation on a thread of the program's own, which nothing
# handles: the program's filter puts everything back, and the crash goes on
# to the system, which ends the process. Wine's crash handling would show
# winedbg's crash dialog and hold the run: ShowCrashDialog=0 (HKCU\Software\
# Wine\WineDbg) keeps winedbg's report but without the dialog, for this
# scenario only.
WINEDBG_KEY='HKCU\Software\Wine\WineDbg'
scenario_crash() {
    local key_before=0 value_before
    wine reg query "$WINEDBG_KEY" >/dev/null 2>&1 && key_before=1
    value_before=$(wine reg query "$WINEDBG_KEY" /v ShowCrashDialog 2>/dev/null | tr -d '\r' |
        awk '$1 == "ShowCrashDialog" { print $3 }')
    wine reg add "$WINEDBG_KEY" /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 ||
        fail "cannot set ShowCrashDialog"
    crash_case
    local status=$?
    # The prefix as it was.
    if [ -n "$value_before" ]; then
        wine reg add "$WINEDBG_KEY" /v ShowCrashDialog /t REG_DWORD /d "$value_before" /f >/dev/null 2>&1
    elif [ "$key_before" = 1 ]; then
        wine reg delete "$WINEDBG_KEY" /v ShowCrashDialog /f >/dev/null 2>&1
    else
        wine reg delete "$WINEDBG_KEY" /f >/dev/null 2>&1
    fi
    return "$status"
}
crash_case() {
    ways_out_case way_crash "$LUMIVANE_TEST" 1 1 || return 1
    has_trace "$SCEN_DIR/lumivane.trace" lumivane "test fault now" || fail "the fault did not happen"
    icon_outcome | grep -q "^icon removed while the bar exists" || fail "the icon did not go before the bar: $(icon_outcome)"
    # Handed on to the system: Wine's own report of the crash, and the
    # process ended by the access violation.
    after_line "$SCEN_DIR/lumivane.trace" "$WAY_LINE" '^wine: Unhandled page fault on write access to 0+ ' ||
        fail "the crash did not go on to the system's handling after the program's filter"
    process_outcome | grep -q "exit code 0xC0000005$" || fail "not ended by the access violation: $(process_outcome)"
    wait_until 5 wine_not_running winedbg.exe || fail "winedbg still runs"
    [ -z "$(desktop_windows | awk '$6 == "winedbg.exe" && ($2 > 1 || $3 > 1)')" ] || fail "a winedbg window is up"
}

# The runtimes' other ends of a broken process: abort, std::terminate, a
# pure virtual call and an invalid parameter handed to the C runtime each
# run the same hand-back first (one off frame, the icon deleted while the
# bar exists), then end the process (abort's exit code 3 under Wine).
runtime_end_case() {
    local kind=$1
    ways_out_case way_crash "$LUMIVANE_TEST" 1 "$kind" || return 1
    has_trace "$SCEN_DIR/lumivane.trace" lumivane "test fault now" || fail "the fault did not happen"
    icon_outcome | grep -q "^icon removed while the bar exists" || fail "the icon did not go before the bar: $(icon_outcome)"
    process_outcome | grep -q "exit code 0x0*3$" || fail "not ended as abort ends it: $(process_outcome)"
}
scenario_crash_abort() { runtime_end_case abort; }
scenario_crash_terminate() { runtime_end_case terminate; }
scenario_crash_purecall() { runtime_end_case purecall; }
scenario_crash_parameter() { runtime_end_case parameter; }

register_scenario close-outside 1024x768 scenario_close_outside
register_scenario end-session 1024x768 scenario_end_session
register_scenario crash 1024x768 scenario_crash
register_scenario crash-abort 1024x768 scenario_crash_abort
register_scenario crash-terminate 1024x768 scenario_crash_terminate
register_scenario crash-purecall 1024x768 scenario_crash_purecall
register_scenario crash-parameter 1024x768 scenario_crash_parameter
register_scenario end-session-wineboot 1024x768 scenario_end_session_wineboot

# The boxes are the bar's: About asked for a second time from the tray menu
# (which works while the box disables the bar) brings the open box to the
# front rather than a second one; then a way out with the box open ends the
# program within 5 s (the box's loop used to hold the process, and the
# single-instance mutex, until the user closed it).
viewable_dialogs() {
    local id w h x y
    program_windows lumivane.exe | awk '$2 >= 250 && $3 >= 150' | while read -r id w h x y; do
        is_viewable "$id" && echo "$id"
    done | wc -l
}
box_then_way_out() {
    local how=$1
    start_program || return 1
    open_from_tray 10 || return 1  # About...
    right_press "$(tray_x)" "$(tray_y)"
    wait_until 5 has_menu || { fail "the tray menu did not open over the About box"; return 1; }
    sleep 0.3
    choose_item 10
    sleep 1
    [ "$(viewable_dialogs)" -eq 1 ] || fail "About asked for twice shows $(viewable_dialogs) boxes"
    "$how"
    wait_until 5 wine_not_running lumivane.exe || fail "the program still runs 5 s after the way out with About open"
}
exit_from_tray() {
    right_press "$(tray_x)" "$(tray_y)"
    wait_until 5 has_menu || { fail "the tray menu did not open"; return 1; }
    sleep 0.3
    choose_item 12  # Exit
}
scenario_box_exit() { box_then_way_out exit_from_tray; }
scenario_box_close_outside() { box_then_way_out way_close; }

register_scenario box-exit 1024x768 scenario_box_exit
register_scenario box-close-outside 1024x768 scenario_box_close_outside
