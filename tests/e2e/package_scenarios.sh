#!/usr/bin/env bash
# The packages a Windows user downloads, under Wine, as that user meets them.
#
# Makes them with tools/package (the Release builds are reused when they are
# up to date), then starts its own Xvfb (a free display from :74 on, no TCP)
# and its own Wine prefix under build/pkg-e2e/ (made afresh each run, with a
# virtual desktop for every program, so that installers and the program
# share one desktop and `wine` waits for each installer), and checks:
#
#   - the four packages are there, each under 1 MB (the program in them,
#     with its pictures for every scale, under 4 MB); the zips hold the four
#     files; the win64 programs and installer are 64-bit, the win32 ones
#     32-bit (these are only checked, not run: 32-bit programs cannot run
#     here);
#   - the win64 zip unpacks and the program starts from the unpacked folder
#     (its tray icon appears);
#   - the silent install (/S) puts the files in %LOCALAPPDATA%\Programs\
#     Lumivane, three Start menu shortcuts and the uninstall entry in place,
#     and no Run value (starting at sign-in is off by default); the program
#     starts from its Start menu shortcut;
#   - installing again over the running copy with /StartAtSignIn ends it
#     through its Exit sequence (lvmon decodes exactly the two off frames
#     that Exit and the process's end paint) and writes the Run value;
#   - the silent uninstall ends the running copy the same way, and
#     afterwards the prefix's files and registry are as before the install;
#   - the same for an install for everyone (/AllUsers: Program Files, HKLM),
#     which a later install without /AllUsers upgrades in place.
#
# Prints PASS/FAIL per check and "N passed, M failed"; exits 1 on a failure,
# 77 when Wine or Xvfb cannot start at all. Everything it starts is stopped
# by PID, and `wineserver -k` ends its own prefix, on every exit.
#
#   tests/e2e/package_scenarios.sh [BUILD_HOST_DIR]    (default build/host)

set -u

ROOT=$(cd "$(dirname "$0")/../.." && pwd)
HOST=$(cd "${1:-$ROOT/build/host}" 2>/dev/null && pwd) || { echo "no build folder ${1:-$ROOT/build/host}"; echo "0 passed, 1 failed"; exit 1; }
LVMON=$HOST/bin/lvmon
DIST=$ROOT/dist
WORK=$ROOT/build/pkg-e2e
W=800
H=600

export WINEPREFIX=$WORK/prefix
# Without winemenubuilder: Wine would copy each Start menu shortcut into the
# host's desktop menus (~/.local/share/applications) and note it in the
# prefix's registry.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEDEBUG=-all

# The tray menu's helpers (menu_window, choose_item) look for the program's
# windows in the desktop of this name: the prefix's default one.
SCEN_DESKTOP=Default
SCEN_W=$W
SCEN_H=$H
SCEN_FAILED=0
# shellcheck source=lib.sh
. "$ROOT/tests/e2e/lib.sh"

passed=0
failed=0
xvfb_pid=""
lvmon_pid=""
bg_pids=()

# ---------------------------------------------------------------------------
# Starting and stopping

stop_lvmon() {
    [ -n "$lvmon_pid" ] || return 0
    kill -TERM "$lvmon_pid" 2>/dev/null
    wait "$lvmon_pid" 2>/dev/null
    lvmon_pid=""
}

# Ends every Wine process of our prefix and what we started in the background.
stop_wine() {
    local pid
    for pid in "${bg_pids[@]}"; do kill "$pid" 2>/dev/null; done
    if [ -d "$WINEPREFIX" ]; then
        wineserver -k >/dev/null 2>&1
        timeout 20 wineserver -w >/dev/null 2>&1
    fi
    for pid in "${bg_pids[@]}"; do wait "$pid" 2>/dev/null; done
    bg_pids=()
}

stop_all() {
    stop_lvmon
    stop_wine
    if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
}
trap stop_all EXIT
trap 'exit 130' INT TERM

skip_all() {
    echo "SKIP: $1"
    echo "$passed passed, $failed failed"
    exit 77
}

report() {
    if [ "$1" -eq 0 ]; then
        echo "PASS: $2"
        passed=$((passed + 1))
    else
        echo "FAIL: $2${3:+ ($3)}"
        failed=$((failed + 1))
    fi
}
ok() { [ -z "$1" ]; echo $?; }

# shellcheck source=xvfb.sh
. "$ROOT/tests/e2e/xvfb.sh"

# A fresh prefix each run: what the installer leaves behind must not be
# hidden by what an earlier run left. Every program runs in one virtual
# desktop, the prefix's default.
make_prefix() {
    command -v wine >/dev/null || skip_all "wine is not installed"
    rm -rf "$WINEPREFIX"
    wineboot -i >"$WORK/wineboot.log" 2>&1
    wineserver -w
    [ -f "$WINEPREFIX/system.reg" ] || skip_all "wineboot could not make a prefix (see $WORK/wineboot.log)"
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "${W}x${H}" /f >/dev/null 2>&1
    wineserver -w
}

# ---------------------------------------------------------------------------
# The prefix as Windows programs and the user see it

USER_DIR() { ls -d "$WINEPREFIX"/drive_c/users/*/ 2>/dev/null | grep -v '/Public/$' | head -n 1; }
# A host path as Windows programs name it (drive Z: is /).
win_path() { echo "Z:${1//\//\\}"; }

# Runs a Windows program in the desktop and waits for it: its status, its
# trace lines in $WORK/LABEL.trace.
run_wine() {
    local label=$1
    shift
    WINEDEBUG=-all,+debugstr timeout 120 wine "$@" >"$WORK/$label.out" 2>"$WORK/$label.trace"
}
# Starts one in the background.
start_wine() {
    local label=$1
    shift
    WINEDEBUG=-all,+debugstr wine "$@" >"$WORK/$label.out" 2>"$WORK/$label.trace" &
    bg_pids+=($!)
}

# Wine names its processes after their executables.
wine_pids() {
    local name=${1:0:15} dir comm
    for dir in /proc/[0-9]*; do
        { read -r comm <"$dir/comm"; } 2>/dev/null || continue
        [ "$comm" = "$name" ] || continue
        { tr '\0' '\n' <"$dir/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "${dir#/proc/}"
    done
}
program_running() { [ -n "$(wine_pids lumivane.exe)" ]; }
program_ended() { [ -z "$(wine_pids lumivane.exe)" ]; }

wait_for() {  # SECONDS CMD...: polls every 100 ms
    local i n=$(($1 * 10))
    shift
    for i in $(seq "$n"); do
        if "$@"; then return 0; fi
        sleep 0.1
    done
    return 1
}

trace_has() { grep -aq "OutputDebugStringA \"lumivane: $2" "$WORK/$1.trace" 2>/dev/null; }

# Pixels of the logo's blue at the right end of the taskbar, where the first
# notification icon sits.
icon_pixels() {
    import -window root -crop "40x20+$((W - 40))+$((H - 20))" +repage -depth 8 txt:- 2>/dev/null |
        awk -F'[(),]' 'NR > 1 && $3 < 60 && $4 > 40 && $4 < 120 && $5 > 150 { n++ } END { print n + 0 }'
}
icon_shown() { [ "$(icon_pixels)" -ge 100 ]; }

# Waits for a started copy of the program: its bar and its tray icon.
program_came_up() {  # LABEL: answers why not, if not
    if ! wait_for 30 trace_has "$1" "bar ready"; then
        echo "no \"bar ready\" within 30 s (see $WORK/$1.trace)"
    elif ! wait_for 5 icon_shown; then
        echo "no tray icon ($(icon_pixels) logo pixels)"
    fi
}

# A registry value, as `reg query` prints its data; nothing when absent.
reg_value() {  # KEY NAME
    wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '$1 == n { sub(/^ *[^ ]+ +REG_[A-Z_]+ +/, ""); print; exit }'
}

UNINST_HKCU='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumivane'
UNINST_HKLM='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumivane'
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

# What the prefix holds: every file and folder under drive_c, and every
# registry key and value (a value with its key, continued lines joined),
# without the times Wine stamps on keys.
snapshot() {  # OUT
    wineserver -w
    {
        (cd "$WINEPREFIX/drive_c" && find . | LC_ALL=C sort)
        local f
        for f in system.reg user.reg userdef.reg; do
            awk -v f="$f" '
                /^#/ { next }
                /^\[/ { sub(/\] [0-9]+$/, "]"); key = $0; print f ": " key; next }
                { line = line $0; if (sub(/\\$/, "", line)) next
                  gsub(/^ +/, "", line); if (line != "") print f ": " key " " line; line = "" }' "$WINEPREFIX/$f"
        done
    } >"$1"
}
# The differences between two snapshots, less two kinds of noise:
#   - the uninstaller's copy of itself, which it runs from the temporary
#     folder (so that it can delete uninstall.exe) and leaves to be deleted
#     at the next start of Windows: ~nsuN.tmp\Un.exe and the
#     PendingFileRenameOperations value naming them;
#   - what Wine's display driver writes at every start of a desktop: the
#     video device's DriverDateData and the desktop's size and position.
snapshot_diff() {
    diff "$1" "$2" | grep '^[<>]' |
        grep -v -E -e '/Temp/~nsu[0-9]+\.tmp(/Un\.exe)?$' -e '"PendingFileRenameOperations"=.*~nsu[0-9]+\.tmp' \
            -e 'Control\\\\Class\\\\\{4D36E968-E325-11CE-BFC1-08002BE10318\}\\\\[0-9]+\] "DriverDateData"=' \
            -e 'Enum\\\\DISPLAY\\\\[^]]*\\\\Properties\\\\[^]]*\] @=hex\(ffff1003\):' || true
}

# lvmon on row 0 while FN runs; answers the messages it decoded, one a line.
watch_row() {  # OUT
    "$LVMON" --width "$W" --rate 2000 --output "$1" 2>"$1.err" &
    lvmon_pid=$!
    wait_for 5 grep -qs '^# lvmon display' "$1"
}
decoded_messages() {
    awk '!/^#/ && ($2 == "off" || $2 == "region" || $2 == "rows" || $2 == "columns") { print $2 }' "$1" | paste -sd' '
}

# ---------------------------------------------------------------------------
# Scenarios

scenario_packages_made() {
    local why="" out arch f size
    out=$("$ROOT/tools/package" 2>&1) || why="tools/package failed: $(echo "$out" | tail -n 3 | tr '\n' ' ')"
    echo "$out" | sed -n '/^== sizes/,$p' | sed 's/^/    /'
    for arch in win64 win32; do
        # What a user downloads stays under 1 MB; the program itself, which
        # carries its pictures drawn for every scale uncompressed, under 4 MB.
        for f in "$DIST/lumivane-$VERSION-$arch.zip" "$DIST/lumivane-$VERSION-$arch-setup.exe" \
                 "$DIST/stage/$arch/lumivane-$VERSION-$arch/lumivane.exe"; do
            [ -z "$why" ] || break
            if [ ! -f "$f" ]; then why="no $f"; break; fi
            size=$(stat -c %s "$f")
            local limit=1048576 name="1 MB"
            [ "$(basename "$f")" != lumivane.exe ] || { limit=4194304; name="4 MB"; }
            [ "$size" -lt "$limit" ] || why="$(basename "$f") is $size bytes, not under $name"
        done
    done
    report "$(ok "$why")" "tools/package makes the zip and the installer of both architectures, each under 1 MB (the program under 4 MB)" "$why"
}

scenario_contents() {
    local why="" arch pe list want zip exe
    for arch in win64 win32; do
        case $arch in win64) pe=pei-x86-64 ;; win32) pe=pei-i386 ;; esac
        zip=$DIST/lumivane-$VERSION-$arch.zip
        list=$(unzip -Z1 "$zip" 2>/dev/null | LC_ALL=C sort | paste -sd' ')
        want="lumivane-$VERSION-$arch/README.txt lumivane-$VERSION-$arch/lumivane.exe lumivane-$VERSION-$arch/lvhelp.chm lumivane-$VERSION-$arch/lvmon.exe"
        [ "$list" = "$want" ] || { why="$arch zip holds \"$list\""; break; }
        rm -rf "$WORK/unzip-$arch"
        unzip -q "$zip" -d "$WORK/unzip-$arch"
        for exe in lumivane.exe lvmon.exe; do
            objdump -f "$WORK/unzip-$arch/lumivane-$VERSION-$arch/$exe" | grep -q "file format $pe" ||
                why="${why:-$arch $exe is not $pe}"
        done
        objdump -h "$WORK/unzip-$arch/lumivane-$VERSION-$arch/lumivane.exe" | grep -q '\.debug' &&
            why="${why:-$arch lumivane.exe still has debug sections}"
        objdump -f "$DIST/lumivane-$VERSION-$arch-setup.exe" | grep -q "file format $pe" ||
            why="${why:-the $arch installer is not $pe}"
        grep -q "^Lumivane $VERSION ($arch)" "$WORK/unzip-$arch/lumivane-$VERSION-$arch/README.txt" ||
            why="${why:-the $arch README.txt does not name version $VERSION}"
        [ -z "$why" ] || break
    done
    report "$(ok "$why")" "the zips hold the program, help, monitor emulator and README.txt; stripped; 64-bit and 32-bit as named" "$why"
}

scenario_portable() {
    local dir why
    dir=$WORK/unzip-win64/lumivane-$VERSION-win64
    start_wine portable "$dir/lumivane.exe"
    why=$(program_came_up portable)
    report "$(ok "$why")" "the program starts from the unpacked win64 zip and its tray icon appears" "$why"
    stop_wine
}

# install_silently LABEL ARGS...: answers why it failed, if it did.
install_silently() {
    local label=$1
    shift
    run_wine "$label" "$(win_path "$DIST/lumivane-$VERSION-win64-setup.exe")" /S "$@"
    local status=$?
    [ "$status" -eq 0 ] || echo "the installer ended with status $status"
}

# uninstall_silently LABEL KEY: runs the uninstall entry's
# QuietUninstallString, as Apps & features does. The uninstaller copies
# itself away and starts the copy: wait until Wine is idle.
uninstall_silently() {
    local quiet exe status
    quiet=$(reg_value "$2" QuietUninstallString)
    case "$quiet" in
        '"'*'\uninstall.exe" /S') ;;
        *) echo "the uninstall entry's QuietUninstallString is \"$quiet\""; return ;;
    esac
    exe=${quiet#\"}
    exe=${exe%\" /S}
    run_wine "$1" "$exe" /S
    status=$?
    timeout 60 wineserver -w
    [ "$status" -eq 0 ] || echo "the uninstaller ended with status $status"
}

# check_install DIR MENU KEY: answers what is missing, if anything.
check_install() {
    local dir=$1 menu=$2 key=$3 f v
    for f in lumivane.exe lvhelp.chm lvmon.exe README.txt uninstall.exe; do
        [ -f "$dir/$f" ] || { echo "no $f in $dir"; return; }
    done
    cmp -s "$dir/lumivane.exe" "$DIST/stage/win64/lumivane-$VERSION-win64/lumivane.exe" || { echo "the installed lumivane.exe is not the packaged one"; return; }
    for f in "Lumivane.lnk" "Lumivane Help.lnk" "Lumivane Monitor Emulator.lnk"; do
        [ -f "$menu/$f" ] || { echo "no Start menu shortcut $menu/$f"; return; }
    done
    v=$(reg_value "$key" DisplayVersion)
    [ "$v" = "$VERSION" ] || { echo "the uninstall entry's DisplayVersion is \"$v\""; return; }
    v=$(reg_value "$key" Publisher)
    [ -n "$v" ] || { echo "the uninstall entry has no Publisher"; return; }
    v=$(reg_value "$key" UninstallString)
    case "$v" in *'\uninstall.exe"') ;; *) echo "the uninstall entry's UninstallString is \"$v\""; return ;; esac
    v=$(reg_value "$key" DisplayName)
    [ "$v" = "Lumivane" ] || echo "the uninstall entry's DisplayName is \"$v\""
}

# Starts the installed program from its Start menu shortcut.
start_from_menu() {  # LABEL LNK
    start_wine "$1" start /unix "$2"
    program_came_up "$1"
}

# About... in the tray menu: the program then runs the About box's own
# loop. Answers why it did not open, if it did not.
about_open() { xwininfo -root -tree 2>/dev/null | grep -q '"About Lumivane[^"]*": ("lumivane.exe"'; }
open_about_box() {
    right_press $((W - 10)) $((H - 10))
    if ! wait_for 5 has_menu; then echo "the tray menu did not open"; return; fi
    sleep 0.3
    choose_item 10 >/dev/null
    wait_for 5 about_open || echo "the About box did not open"
}

# run_over_program LABEL WHAT ARGS...: with the installed program running and
# lvmon watching, runs WHAT (install_silently or uninstall_silently); answers
# why the program was not ended through its Exit sequence, if it was not.
run_over_program() {
    local label=$1 what=$2 why="" got
    shift 2
    watch_row "$WORK/$label.lvmon" || { echo "lvmon did not start"; return; }
    why=$("$what" "$label" "$@")
    wait_for 10 program_ended || why="${why:-the program still runs}"
    sleep 0.3
    stop_lvmon
    got=$(decoded_messages "$WORK/$label.lvmon")
    [ -n "$why" ] || [ "$got" = "off off" ] || why="lvmon decoded \"$got\", not the two off frames of Exit"
    echo "$why"
}

scenario_user_install() {
    local why user menu dir
    user=$(USER_DIR)
    dir=${user}AppData/Local/Programs/Lumivane
    menu="${user}AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Lumivane"
    snapshot "$WORK/before.txt"

    why=$(install_silently install-user)
    [ -n "$why" ] || why=$(check_install "$dir" "$menu" "$UNINST_HKCU")
    [ -n "$why" ] || [ -z "$(reg_value "$RUN_KEY" Lumivane)" ] || why="a Run value without /StartAtSignIn"
    [ -n "$why" ] || [ -z "$(reg_value "$UNINST_HKLM" DisplayName)" ] || why="an entry for everyone in HKLM"
    report "$(ok "$why")" "the silent install puts the files, three Start menu shortcuts and the uninstall entry in place, and no Run value" "$why"

    why=$(start_from_menu menu-start "$menu/Lumivane.lnk")
    report "$(ok "$why")" "the installed program starts from its Start menu shortcut" "$why"

    if [ -z "$why" ]; then
        why=$(run_over_program reinstall install_silently /StartAtSignIn)
        local run
        run=$(reg_value "$RUN_KEY" Lumivane)
        [ -n "$why" ] || [ "$run" = "\"$(win_path_of "$dir")\\lumivane.exe\"" ] || why="the Run value is \"$run\""
        report "$(ok "$why")" "installing again over the running copy ends it through Exit (two off frames) and writes the Run value" "$why"
        why=$(start_from_menu menu-start2 "$menu/Lumivane.lnk")
        [ -z "$why" ] && why=$(open_about_box)
        [ -z "$why" ] && why=$(run_over_program uninstall-user uninstall_silently "$UNINST_HKCU")
    fi
    report "$(ok "$why")" "the silent uninstall ends the running copy, its About box open, through Exit (two off frames)" "$why"
    stop_wine
    snapshot "$WORK/after.txt"
    why=$(snapshot_diff "$WORK/before.txt" "$WORK/after.txt" | head -n 5 | tr '\n' ';')
    report "$(ok "$why")" "after the uninstall no file, folder, shortcut or registry value of the install remains" "$why"
}

# The Windows path of a prefix folder, as the installer writes it (C:\...).
win_path_of() {
    local rel=${1#"$WINEPREFIX/drive_c/"}
    rel=${rel%/}
    echo "C:\\${rel//\//\\}"
}

scenario_all_users_install() {
    local why dir menu
    dir=$WINEPREFIX/drive_c/Program\ Files/Lumivane
    menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Lumivane"
    snapshot "$WORK/before-all.txt"
    why=$(install_silently install-all /AllUsers)
    [ -n "$why" ] || why=$(check_install "$dir" "$menu" "$UNINST_HKLM")
    [ -n "$why" ] || [ -z "$(reg_value "$UNINST_HKCU" DisplayName)" ] || why="an entry in HKCU too"
    report "$(ok "$why")" "/AllUsers installs into Program Files with the Start menu shortcuts for everyone and the entry in HKLM" "$why"
    why=$(install_silently install-all-again)
    [ -n "$why" ] || why=$(check_install "$dir" "$menu" "$UNINST_HKLM")
    [ -n "$why" ] || [ -z "$(reg_value "$UNINST_HKCU" DisplayName)" ] || why="a second install for the user alone"
    report "$(ok "$why")" "installing again without /AllUsers upgrades the install for everyone" "$why"
    why=$(uninstall_silently uninstall-all "$UNINST_HKLM")
    stop_wine
    snapshot "$WORK/after-all.txt"
    [ -n "$why" ] || why=$(snapshot_diff "$WORK/before-all.txt" "$WORK/after-all.txt" | head -n 5 | tr '\n' ';')
    report "$(ok "$why")" "its silent uninstall leaves the prefix as it was" "$why"
}

# ---------------------------------------------------------------------------

VERSION=$(sed -n 's/^#define LV_VERSION_TEXT "\([^"]*\)".*$/\1/p' "$ROOT/app/version.h" 2>/dev/null)
[ -n "$VERSION" ] || { echo "no LV_VERSION_TEXT in app/version.h"; echo "0 passed, 1 failed"; exit 1; }
[ -x "$LVMON" ] || { echo "no $LVMON: build the host preset first"; echo "0 passed, 1 failed"; exit 1; }
for tool in xdotool import xdpyinfo xwininfo unzip objdump makensis; do
    command -v "$tool" >/dev/null || { echo "no $tool: tools/setup installs it"; echo "0 passed, 1 failed"; exit 1; }
done
mkdir -p "$WORK"

scenario_packages_made
scenario_contents
if [ "$failed" -eq 0 ]; then
    start_xvfb
    make_prefix
    scenario_portable
    scenario_user_install
    scenario_all_users_install
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
