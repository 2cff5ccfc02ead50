#!/usr/bin/env bash
# Builds La Trelva (installing what it needs) and runs the whole test suite,
# with no display and no sound card needed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/build.sh"
export QT_QPA_PLATFORM=offscreen
cd "$root/build"
ctest --output-on-failure -j"$(nproc)"
