#!/bin/sh
# Installs what Nimbara needs on Debian 12 (only what is missing), builds it, and then either
#   run   starts the program with the staged application directory build/appdir as current
#         directory, or
#   test  runs every test, headless, then the end-to-end smoke run of the installed program
#         (tools/smoke.sh).
set -eu

usage() {
    echo "usage: $0 run|test" >&2
    exit 2
}
[ $# -eq 1 ] || usage
mode=$1
case "$mode" in run | test) ;; *) usage ;; esac

top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build"

# libpq-dev: the record server's client; postgresql-15: the server the record server's tests
# start for themselves (nothing here starts it); dpkg-dev and lintian: the Debian package.
packages="cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev libx11-dev libmspack-dev
fp-utils googletest libgtest-dev fonts-dejavu-core xvfb xauth desktop-file-utils appstream
openbox xdotool x11-utils libpq-dev postgresql-15 dpkg-dev lintian"

missing=""
for package in $packages; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
if [ -n "$missing" ]; then
    if [ "$(id -u)" -eq 0 ]; then
        as_root=""
    elif command -v sudo >/dev/null 2>&1; then
        as_root="sudo"
    else
        echo "Missing packages:$missing; run this as root or install sudo." >&2
        exit 1
    fi
    echo "Installing:$missing"
    $as_root apt-get update -qq
    # shellcheck disable=SC2086 # the package list is meant to split
    DEBIAN_FRONTEND=noninteractive $as_root apt-get install -y -qq --no-install-recommends $missing
fi

# The "ci" preset: optimised without debug information, and one compiler run per batch of a
# target's files, which on two cores halves the time of a build from scratch.
cd "$top"
cmake --preset ci
cmake --build --preset ci --parallel "$(nproc)"

if [ "$mode" = test ]; then
    ctest --preset ci --parallel "$(nproc)"
    exec "$top/tools/smoke.sh"
fi

cd "$build/appdir"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: Nimbara starts on a virtual X display (xvfb-run); end it with Ctrl+C."
    exec xvfb-run -a -s "-screen 0 1280x800x24" ./nimbara
fi
exec ./nimbara
