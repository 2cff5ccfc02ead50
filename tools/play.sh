#!/usr/bin/env bash
# Builds La Trelva (installing what it needs) and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/build.sh"
exec "$root/build/bin/latrelva"
