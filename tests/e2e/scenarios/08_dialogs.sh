# The About box and Display adjust as a user meets them: opened from the tray
# menu, centred on the screen, readable; the About box closed with its OK
# button and with Escape; the sliders moved with the keyboard, OK, and the
# monitor told nothing; reopened, the sliders are back where they started.

ABOUT_DLU_W=215  # the templates' sizes in dialog units
ABOUT_DLU_H=113
ADJUST_DLU_H=158

# Messages lvmon has decoded so far.
decoded() { grep -cE '^[0-9.]+ (off|region|rows|columns)' "$SCEN_DIR/lvmon.txt"; }

# open_from_tray ITEM: the tray menu's item opens a dialog; sets DLG_ID DLG_W
# DLG_H DLG_X DLG_Y.
open_from_tray() {
    right_press "$(tray_x)" "$(tray_y)"
    wait_until 5 has_menu || { fail "the tray menu did not open"; return 1; }
    sleep 0.3
    choose_item "$1"
    wait_until 5 has_dialog || { fail "menu item $1 opened no dialog"; return 1; }
    sleep 0.5
    read -r DLG_ID DLG_W DLG_H DLG_X DLG_Y <<<"$(dialog_window)"
}

centred() {
    local want_x=$(((SCEN_W - DLG_W) / 2)) want_y=$(((SCEN_H - DLG_H) / 2))
    [ $((DLG_X - want_x)) -ge -1 ] && [ $((DLG_X - want_x)) -le 1 ] &&
        [ $((DLG_Y - want_y)) -ge -1 ] && [ $((DLG_Y - want_y)) -le 1 ]
}

# shot NAME: a screenshot of the dialog, $SCEN_DIR/NAME.png.
shot() { import -window root -crop "${DLG_W}x$DLG_H+$DLG_X+$DLG_Y" +repage "png:$SCEN_DIR/$1.png" 2>/dev/null; }
# pixels_like NAME X Y W H 'AWK CONDITION ON r g b': how many pixels of the
# rectangle (in the dialog) of the screenshot meet the condition.
pixels_like() {
    convert "$SCEN_DIR/$1.png" -crop "${4}x$5+$2+$3" txt:- 2>/dev/null |
        awk -F'[(),]' "NR > 1 { r = \$3 + 0; g = \$4 + 0; b = \$5 + 0; if ($6) n++ } END { print n + 0 }"
}
# A fingerprint of a rectangle of the screenshot.
fingerprint() { convert "$SCEN_DIR/$1.png" -crop "${4}x$5+$2+$3" rgb:- 2>/dev/null | md5sum | cut -c1-12; }

# The client area under Wine's frame: a 3-pixel border and a caption; its
# top in the dialog, and dialog units down it.
client_h() { echo $((DLG_H - 3 - 22)); }
client_top() { echo $((DLG_H - 3 - $(client_h))); }
down() { echo $(($(client_top) + $1 * $(client_h) / $2)); }
across() { echo $((3 + $1 * (DLG_W - 6) / $2)); }

check_about() {
    centred || fail "About box ${DLG_W}x$DLG_H at $DLG_X,$DLG_Y, not centred on ${SCEN_W}x$SCEN_H"
    shot "$1"
    # The logo's screen blue, the dark version lines at the top right, the
    # link in its blue at the lower left.
    local logo version link
    logo=$(pixels_like "$1" 0 0 $((DLG_W / 2)) $((DLG_H / 2)) 'r < 60 && g > 80 && g < 130 && b > 180')
    version=$(pixels_like "$1" $((DLG_W * 11 / 20)) 20 $((DLG_W * 7 / 20)) $((DLG_H / 4)) 'r < 90 && g < 90 && b < 90')
    link=$(link_pixels "$1")
    note "about ${DLG_W}x$DLG_H at $DLG_X,$DLG_Y: logo $logo, version $version, link $link pixels"
    [ "$logo" -gt 500 ] || fail "no logo in the About box ($logo pixels of its blue)"
    [ "$version" -gt 40 ] || fail "no version text in the About box ($version dark pixels)"
    [ "$link" -gt 40 ] || fail "no link in its colour in the About box ($link pixels)"
}
# The link's colour, 0 0 238, in the box's lower left quarter.
link_pixels() { pixels_like "$1" 0 $((DLG_H / 2)) $((DLG_W / 2)) $((DLG_H / 4)) 'r < 70 && g < 70 && b > 170'; }

scenario_dialogs() {
    start_lvmon "$SCEN_DIR/lvmon.txt" || return 1
    start_in_desktop lumivane "$LUMIVANE"
    if ! wait_until 20 has_trace "$SCEN_DIR/lumivane.trace" lumivane "bar ready"; then
        fail "the bar did not come up"
        return 1
    fi
    sleep 0.5
    local before
    before=$(decoded)

    # About...: centred, readable; the pointer over the link turns it from
    # the link colour; its OK button closes it.
    open_from_tray 10 || return 1
    check_about about
    local shown
    shown=$(link_pixels about)
    xdotool mousemove $((DLG_X + $(across 53 $ABOUT_DLU_W))) $((DLG_Y + $(down 61 $ABOUT_DLU_H)))
    sleep 0.5
    shot about-hover
    note "link pixels in its colour: $shown, with the pointer on it: $(link_pixels about-hover)"
    [ "$(link_pixels about-hover)" -lt $((shown / 4)) ] || fail "the link kept its colour under the pointer"
    press_mouse $((DLG_X + $(across 57 $ABOUT_DLU_W))) $((DLG_Y + $(down 87 $ABOUT_DLU_H)))
    wait_until 5 no_dialog || fail "OK left the About box up"

    # Again, and Escape closes it.
    open_from_tray 10 || return 1
    check_about about-again
    press_key "$DLG_ID" Escape 2>/dev/null
    wait_until 5 no_dialog || fail "Escape left the About box up"

    # Setting: Display adjust, centred, three sliders under their labels.
    open_from_tray 4 || return 1
    centred || fail "Display adjust ${DLG_W}x$DLG_H at $DLG_X,$DLG_Y, not centred"
    shot adjust
    local bands=(27 63 98) labels=(16 52 87) i marks first=() again=() moved
    local band_h=$((24 * $(client_h) / ADJUST_DLU_H))
    for i in 0 1 2; do
        first[i]=$(fingerprint adjust 0 "$(down ${bands[i]} $ADJUST_DLU_H)" "$DLG_W" "$band_h")
        marks=$(pixels_like adjust 3 "$(down ${labels[i]} $ADJUST_DLU_H)" $((DLG_W / 2)) $((11 * $(client_h) / ADJUST_DLU_H)) 'r < 90 && g < 90 && b < 90')
        [ "$marks" -gt 20 ] || fail "no label over slider $((i + 1)) ($marks dark pixels)"
        marks=$(pixels_like adjust 3 "$(down ${bands[i]} $ADJUST_DLU_H)" $((DLG_W - 6)) "$band_h" 'r < 180 && g < 180 && b < 180')
        [ "$marks" -gt 40 ] || fail "no slider $((i + 1)) ($marks dark pixels in its band)"
    done
    # The keyboard: Tab past OK and Cancel to the first slider, move it, OK.
    press_key "$DLG_ID" Tab 2>/dev/null
    xdotool key Tab Right Right Right Right Right Right Right Right Right Right
    sleep 0.3
    shot adjust-moved
    moved=$(fingerprint adjust-moved 0 "$(down ${bands[0]} $ADJUST_DLU_H)" "$DLG_W" "$band_h")
    [ "$moved" != "${first[0]}" ] || fail "the first slider did not move with the keyboard"
    xdotool key Return
    wait_until 5 no_dialog || fail "Return (OK) left Display adjust up"
    sleep 1
    [ "$(decoded)" -eq "$before" ] || fail "the dialogs sent the monitor $(($(decoded) - before)) message(s)"

    # Reopened: the sliders where they started.
    open_from_tray 4 || return 1
    shot adjust-again
    for i in 0 1 2; do
        again[i]=$(fingerprint adjust-again 0 "$(down ${bands[i]} $ADJUST_DLU_H)" "$DLG_W" "$band_h")
    done
    [ "${again[*]}" = "${first[*]}" ] || fail "reopened, the sliders are not where they started"
    note "display adjust ${DLG_W}x$DLG_H at $DLG_X,$DLG_Y; slider bands ${first[*]}, the first moved $moved"
    press_key "$DLG_ID" Escape 2>/dev/null
    wait_until 5 no_dialog || fail "Escape left Display adjust up"
    stop_lvmon
    [ "$(decoded)" -eq "$before" ] || fail "lvmon decoded $(($(decoded) - before)) message(s) while the dialogs were up"
    return 0
}

register_scenario dialogs 1024x768 scenario_dialogs
