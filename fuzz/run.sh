#!/bin/sh
# Builds the CHM reading path with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer
# (clang from Debian) and fuzzes it for the given number of seconds (default 300), starting from
# the help books of a build. Findings land in fuzz-build/findings/.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-300}
out="$top/fuzz-build"
mkdir -p "$out/corpus" "$out/findings"
for package in clang libclang-rt-14-dev libmspack-dev qt6-base-dev; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing="${missing:-} $package"
done
if [ -n "${missing:-}" ]; then
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing
fi
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I "$top/platform" $(pkg-config --cflags Qt6Core) -fPIC \
    "$top/fuzz/chm_fuzzer.cpp" "$top/platform/chmarchive.cpp" "$top/platform/chmbook.cpp" \
    "$top/platform/helpbook.cpp" -lmspack $(pkg-config --libs Qt6Core) -o "$out/chm_fuzzer"
cp "$top"/build/appdir/HELP/*.CHM "$top"/build/tests/fixtures/*.CHM "$out/corpus/" 2>/dev/null || true
cd "$out"
exec ./chm_fuzzer -max_total_time="$seconds" -rss_limit_mb=2048 -max_len=262144 \
    -artifact_prefix=findings/ -print_final_stats=1 corpus
