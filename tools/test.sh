#!/usr/bin/env bash
# Builds La Trelva (installing what it needs) and runs the whole test suite,
# with no display and no sound card needed.
#   tools/test.sh             the whole suite, fuzzing included (Release build in build/)
#   tools/test.sh --quick     the everyday suite: everything but the fuzz runs
#   tools/test.sh --sanitize  the suite built with AddressSanitizer, UBSan and
#                             libstdc++ assertions, in build-sanitize/
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mode=${1:-}
case "$mode" in
  "" | --quick) build="$root/build" ;;
  --sanitize)
    build="$root/build-sanitize"
    # Qt, fontconfig and FluidSynth keep caches for the life of the process;
    # leak reports of theirs would drown ours, so leaks are not judged here.
    export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ;;
  *) echo "usage: tools/test.sh [--quick | --sanitize]" >&2; exit 2 ;;
esac
if [ "$mode" = --sanitize ]; then
  TRELVA_BUILD_DIR="$build" TRELVA_CMAKE_ARGS="-DTRELVA_SANITIZE=ON" "$root/tools/build.sh"
else
  "$root/tools/build.sh"
fi
export QT_QPA_PLATFORM=offscreen
cd "$build"
# The fuzzer is built with its own sanitizers, and needs the time it is given.
labels=()
[ -n "$mode" ] && labels=(-LE fuzz)
ctest --output-on-failure -j"$(nproc)" "${labels[@]}"
