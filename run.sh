#!/usr/bin/env bash
# Installs what is missing, builds and starts Trevalon, opening PROJECT when one is given.
set -euo pipefail
# A project named relative to where the script was called from, before moving to the sources
# (the program starts there, so that it finds its help page under Pomoc/).
args=()
for arg in "$@"; do
  if [ -e "$arg" ]; then
    arg="$(cd "$(dirname "$arg")" && pwd)/$(basename "$arg")"
  fi
  args+=("$arg")
done
cd "$(dirname "$0")"

./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --parallel "$(nproc)" --target trevalon trevalon-cli

if [ -x build/src/app/trevalon ]; then
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Trevalon needs a desktop: no DISPLAY or WAYLAND_DISPLAY is set." >&2
    echo "Without one, use build/src/cli/trevalon-cli (see README.md)." >&2
    exit 1
  fi
  # On a Wayland session the program itself chooses XWayland (see README.md).
  exec build/src/app/trevalon "${args[@]}"
fi
exec build/src/cli/trevalon-cli --help
