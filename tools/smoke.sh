#!/bin/sh
# End-to-end run of the installed program, after the tests: installs the build into a
# temporary prefix and checks the desktop entry and the metainfo with the desktop's own
# validators; starts the program from the desktop entry's Exec line, for a user whose data
# folder is temporary, on a virtual display with a window manager; checks that the frame shows
# and that the user's application directory was made; opens the first ice game from the
# keyboard; quits with Alt+F4 and Yes; expects exit status 0; and uninstalls, leaving the
# user's folder alone. Every wait has a deadline. Needs a build (tools/setup.sh test).
set -eu

top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build"
work=$(mktemp -d)
pids=""

finish() {
    status=$?
    for pid in $pids; do
        kill "$pid" 2>/dev/null || true
    done
    # A developer's own installation keeps its manifest.
    if [ -f "$work/install_manifest.saved" ]; then
        cp "$work/install_manifest.saved" "$build/install_manifest.txt"
    else
        rm -f "$build/install_manifest.txt"
    fi
    rm -rf "$work"
    if [ "$status" -eq 0 ]; then
        echo "smoke run: 1 passed, 0 failed"
    else
        echo "smoke run: FAILED" >&2
    fi
    exit "$status"
}
trap finish EXIT

fail() {
    echo "smoke run: $*" >&2
    exit 1
}

# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
    deadline=$(($(date +%s) + $1))
    shift
    until "$@" >/dev/null 2>&1; do
        [ "$(date +%s)" -lt "$deadline" ] || return 1
        sleep 0.2
    done
}

if [ -f "$build/install_manifest.txt" ]; then
    cp "$build/install_manifest.txt" "$work/install_manifest.saved"
fi
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

entry=$(ls "$prefix"/share/applications/*.desktop)
metainfo=$(ls "$prefix"/share/metainfo/*.metainfo.xml)
app_id=$(basename "$entry" .desktop)
desktop-file-validate "$entry" || fail "the desktop entry does not validate"
appstreamcli validate --no-net --pedantic "$metainfo" >"$work/appstream.log" 2>&1 ||
    { cat "$work/appstream.log" >&2; fail "the metainfo does not validate"; }
for size in 16 22 24 32 48 64 128 256; do
    [ -f "$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png" ] ||
        fail "no ${size}px icon"
done
[ -f "$prefix/share/icons/hicolor/scalable/apps/$app_id.svg" ] || fail "no scalable icon"

# The virtual display picks a free number itself and tells it.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids="$!"
wait_for 20 test -s "$work/display" || fail "the virtual display did not start"
DISPLAY=":$(cat "$work/display")"
export DISPLAY
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids="$pids $!"
wait_for 20 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
    fail "the window manager did not start"

# Start as the desktop does: the Exec line without field codes, for a fresh user.
exec_line=$(sed -n 's/^Exec=//p' "$entry" | sed 's/ *%[fFuUdDnNickvm]//g')
user_data="$work/data"
mkdir -p "$work/home"
HOME="$work/home" XDG_DATA_HOME="$user_data" sh -c "exec $exec_line" >"$work/program.log" 2>&1 &
program=$!
pids="$pids $program"

frame=""
find_frame() {
    frame=$(xdotool search --onlyvisible --name '^Nimbara$' | head -n 1)
    [ -n "$frame" ]
}
wait_for 30 find_frame || fail "the frame did not show"
xwininfo -id "$frame" | grep -q "Map State: IsViewable" || fail "the frame is not viewable"

user="$user_data/nimbara"
[ "$(readlink -f "/proc/$program/cwd")" = "$(readlink -f "$user")" ] ||
    fail "the program does not run in the user's application directory"
for folder in HELP games desktop; do
    [ -L "$user/$folder" ] || fail "$folder is not linked into the user's directory"
done
[ -f "$user/TEXT/DESKTOPM.TXT" ] && [ ! -L "$user/TEXT/DESKTOPM.TXT" ] ||
    fail "the user has no desktop setting file of their own"

xdotool windowactivate --sync "$frame" >/dev/null 2>&1 || true
game=""
find_game() {
    game=$(xdotool search --onlyvisible --name '^Ice classification game I$' | head -n 1)
    [ -n "$game" ]
}
xdotool key --clearmodifiers alt+g
sleep 0.3
xdotool key --clearmodifiers i
wait_for 20 find_game || fail "the game did not open"
xdotool key --clearmodifiers Escape
wait_for 20 sh -c '! xdotool search --onlyvisible --name "^Ice classification game I$"' ||
    fail "the game did not close"

question=""
find_question() {
    question=$(xdotool search --onlyvisible --name '^Quit$' | head -n 1)
    [ -n "$question" ]
}
xdotool windowactivate --sync "$frame" >/dev/null 2>&1 || true
xdotool key --clearmodifiers alt+F4
wait_for 20 find_question || fail "Alt+F4 did not ask to quit"
xdotool key --clearmodifiers alt+y
# A program still running at the deadline is ended, and its status then tells.
(sleep 20 && kill "$program" 2>/dev/null) &
watchdog=$!
status=0
wait "$program" || status=$?
kill "$watchdog" 2>/dev/null || true
[ "$status" -eq 0 ] || fail "the program ended with status $status after Yes"

# Uninstalling removes exactly the installed files; the user's folder stays.
cmake -DMANIFEST="$build/install_manifest.txt" -P "$top/dist/uninstall.cmake"
left=$(find "$prefix" -type f -o -type l)
[ -z "$left" ] || fail "files left after uninstalling: $left"
[ -f "$user/TEXT/DESKTOPM.TXT" ] || fail "uninstalling touched the user's folder"
