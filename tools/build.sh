#!/usr/bin/env bash
# Configures and builds (Release) into build/, or into TRELVA_BUILD_DIR with
# the extra CMake arguments in TRELVA_CMAKE_ARGS; shared by the play and test commands.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TRELVA_BUILD_DIR:-$root/build}
"$root/tools/setup-debian.sh"
# shellcheck disable=SC2086
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release ${TRELVA_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j"$(nproc)"
