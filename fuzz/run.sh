#!/bin/sh
# fuzz/run.sh <chm|bitmap> [seconds]
# Builds a reading path of the program with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer (clang from Debian) and fuzzes it for the given number of seconds
# (default 300):
#   chm     the help files, starting from the help books of a build;
#   bitmap  the photo reader, starting from the sample photos of a build.
# Findings land in fuzz-build/<target>/findings/.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
target=${1:-}
seconds=${2:-300}
case "$target" in chm | bitmap) ;; *) echo "usage: $0 chm|bitmap [seconds]" >&2; exit 2 ;; esac
out="$top/fuzz-build/$target"
mkdir -p "$out/corpus" "$out/findings"
for package in clang libclang-rt-14-dev libmspack-dev qt6-base-dev; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing="${missing:-} $package"
done
if [ -n "${missing:-}" ]; then
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing
fi
flags="-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -fPIC"
if [ "$target" = chm ]; then
    # shellcheck disable=SC2086 # the flags are meant to split
    clang++ $flags -I "$top" $(pkg-config --cflags Qt6Core) \
        "$top/fuzz/chm_fuzzer.cpp" "$top/help/book/chmarchive.cpp" "$top/help/book/chmbook.cpp" \
        -lmspack $(pkg-config --libs Qt6Core) -o "$out/fuzzer"
    cp "$top"/build/appdir/HELP/*.CHM "$top"/build/tests/fixtures/*.CHM "$out/corpus/" 2>/dev/null ||
        true
    max_len=262144
else
    # shellcheck disable=SC2086
    clang++ $flags -I "$top" $(pkg-config --cflags Qt6Gui) \
        "$top/fuzz/bitmap_fuzzer.cpp" "$top/platform/windowsbitmap.cpp" \
        "$top/platform/nativefile.cpp" \
        $(pkg-config --libs Qt6Gui) -o "$out/fuzzer"
    # A few whole photos and the smallest bitmaps the tests write seed the corpus.
    cp "$top"/build/appdir/games/ice/ice0.bmp "$top"/build/appdir/games/ice/ice2_5.bmp \
        "$out/corpus/" 2>/dev/null || true
    max_len=400000
fi
cd "$out"
exec ./fuzzer -max_total_time="$seconds" -rss_limit_mb=2048 -max_len="$max_len" \
    -artifact_prefix=findings/ -print_final_stats=1 corpus
