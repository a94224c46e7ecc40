#!/usr/bin/env bash
# Installs the Debian packages Zentavo needs to build, test and run.
# Idempotent: does nothing (and prints nothing) when everything is present.
# Works as root, or through sudo for an ordinary user.
set -euo pipefail

PACKAGES=(
  g++ cmake ninja-build make pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  libjpeg-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core
  xdg-utils
  libqt6svg6 fonts-liberation2
  poppler-utils desktop-file-utils appstream dpkg-dev file
  xvfb xauth x11-utils xdotool openbox
  clang libclang-rt-14-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "bootstrap: installing ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  SUDO=()
elif command -v sudo >/dev/null 2>&1; then
  SUDO=(sudo)
else
  echo "bootstrap: need root or sudo to install: ${missing[*]}" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
