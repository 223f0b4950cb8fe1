#!/usr/bin/env bash
# Two clean builds of the 32-bit deliverables in different folders must be
# byte-identical: no time stamps, no build paths.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
b=$root/${MIRVO_BUILD:-build}
work=$(mktemp -d "$b/repro.XXXXXX")
trap 'rm -rf "$work"' EXIT
targets=(setupcli)
for dir in one second-build; do
  cmake -S "$root" -B "$work/$dir" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel -DMIRVO_TESTS=OFF \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" >/dev/null || { echo "FAIL reproducible: configure"; exit 1; }
  cmake --build "$work/$dir" --target help | grep -q '^setup:' && targets=(setupcli setup)
  cmake --build "$work/$dir" --target "${targets[@]}" >/dev/null || { echo "FAIL reproducible: build"; exit 1; }
done
failed=0
for t in "${targets[@]}"; do
  if cmp -s "$work/one/src/setup/$t.exe" "$work/second-build/src/setup/$t.exe"; then
    echo "ok reproducible-$t.exe"
  else
    echo "FAIL reproducible-$t.exe: the two builds differ"
    failed=1
  fi
done
exit $failed
