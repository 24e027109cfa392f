# Paths outside the ANSI code page: a user profile named Łukasz, or in
# Chinese, holds a per-user install. The program unpacked into such a folder
# finds its help file beside it and opens it (the ANSI functions would have
# answered its path with '?' and Help would have done nothing).

scenario_help_unicode_path() {
    local dir="$WINEPREFIX/drive_c/users/Łukasz 中文/Lumivane"
    rm -rf "$WINEPREFIX/drive_c/users/Łukasz 中文"
    mkdir -p "$dir"
    [ -f "$WIN64_DIR/lvhelp.chm" ] || { fail "no lvhelp.chm (build the win64 preset with chmcmd)"; return 1; }
    cp "$LUMIVANE" "$WIN64_DIR/lvhelp.chm" "$dir/"
    start_in_desktop lumivane "$dir/lumivane.exe"
    if ! wait_until 20 has_trace "$SCEN_DIR/lumivane.trace" lumivane "bar ready"; then
        fail "the program did not start from $dir"
        return 1
    fi
    sleep 0.3
    right_press "$(tray_x)" "$(tray_y)"
    wait_until 5 has_menu || { fail "the tray menu did not open"; return 1; }
    choose_item 8  # Help
    wait_until 10 has_trace "$SCEN_DIR/lumivane.trace" lumivane "help opened" ||
        fail "Help did not open lvhelp.chm beside the program in '$dir' ($(grep -o 'lumivane: help[^"]*' "$SCEN_DIR/lumivane.trace" | tail -1))"
    rm -rf "$WINEPREFIX/drive_c/users/Łukasz 中文"
}

register_scenario help-unicode-path 1024x768 scenario_help_unicode_path
