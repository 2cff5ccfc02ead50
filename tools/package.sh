#!/usr/bin/env bash
# Builds the Debian package of La Trelva (installing what it needs) from the
# files git tracks in this tree, in a scratch copy under build-deb/, without
# running the tests (tools/test.sh does that). Prints the .deb's path last.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup-debian.sh" debhelper dpkg-dev git

out="$root/build-deb"
copia="$out/latrelva"
rm -rf "$out"
mkdir -p "$copia"
git -C "$root" ls-files -z | (cd "$root" && tar --null -T - -cf -) | tar -xf - -C "$copia"

log="$out/build.log"
if ! (cd "$copia" && DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" DEB_BUILD_PROFILES=nocheck \
        dpkg-buildpackage -b -us -uc) >"$log" 2>&1; then
  tail -n 40 "$log" >&2
  echo "package.sh: the package build failed; the whole log is $log" >&2
  exit 1
fi
ls "$out"/latrelva_*_"$(dpkg --print-architecture)".deb
