#!/usr/bin/env bash
# Installs the Debian packages La Trelva builds, runs and tests with, and any
# named as arguments (the packaging tools, the package checkers).
# Quiet and quick when everything is already there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev libxcb1-dev
  libfluidsynth-dev libjack-jackd2-dev fluid-soundfont-gm timgm6mb-soundfont
  libpulse-dev libglib2.0-dev pulseaudio pulseaudio-utils
  libfontconfig-dev libgtest-dev qt6-base-private-dev libinstpatch-dev
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
