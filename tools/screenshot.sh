#!/bin/sh
# Makes docs/screenshot.png: the real program on a virtual X display, with the normal cloud game
# open over the main window and its desktop picture. Needs a build (tools/setup.sh run or test) and installs the few
# tools it drives the program with.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
for tool in xdotool:xdotool import:imagemagick Xvfb:xvfb openbox:openbox; do
    command -v "${tool%%:*}" >/dev/null 2>&1 || missing="${missing:-} ${tool#*:}"
done
if [ -n "${missing:-}" ]; then
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing
fi

display=:57
Xvfb "$display" -screen 0 1280x800x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $program $manager $xvfb 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display openbox >/dev/null 2>&1 &
manager=$!
sleep 1
cd "$top/build/appdir"
DISPLAY=$display ./nimbara >/dev/null 2>&1 &
program=$!
window=$(DISPLAY=$display xdotool search --sync --name '^Nimbara$' | head -n 1)
DISPLAY=$display xdotool windowactivate --sync "$window"
sleep 1
DISPLAY=$display xdotool key alt+g
sleep 0.5
DISPLAY=$display xdotool key l
sleep 0.7
DISPLAY=$display xdotool key space   # checks the first code; the photo dissolves meanwhile
sleep 2
mkdir -p "$top/docs"
DISPLAY=$display import -window root "$top/docs/screenshot.png"
echo "wrote docs/screenshot.png"
