#!/usr/bin/env bash
# Installs the Debian packages Trevalon needs to build, test and run.
# Idempotent: asks dpkg first and touches apt only when something is missing.
# With --fuzz, also what building the fuzz targets needs (clang and its fuzzer runtime); with
# --format, clang-format for the format check of CI.
set -euo pipefail

PACKAGES=(
  build-essential
  g++
  python3
  cmake
  pkg-config
  qt6-base-dev
  qt6-base-dev-tools
  qt6-qpa-plugins
  libgl-dev
  libxkbcommon-dev
  libjpeg-dev
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  fonts-dejavu-core
  xdg-utils
  xauth
  xvfb
  openbox
  xdotool
  libx11-dev
  qt6-translations-l10n
  qt6-svg-dev
  poppler-utils
)

FUZZ_PACKAGES=(
  clang
  libclang-rt-14-dev
)
for arg in "$@"; do
  case "$arg" in
    --fuzz) PACKAGES+=("${FUZZ_PACKAGES[@]}") ;;
    --format) PACKAGES+=(clang-format) ;;
  esac
done

missing=()
for pkg in "${PACKAGES[@]}"; do
  if ! dpkg -s "$pkg" >/dev/null 2>&1; then
    missing+=("$pkg")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
