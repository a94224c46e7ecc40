#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Zentavo needs to build, test and run.
# Idempotent: does nothing (and prints nothing) when everything is present.
# Works as root, or through sudo for an ordinary user.
set -euo pipefail

PACKAGES=(
  g++ cmake ninja-build make pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  libjpeg-dev libeigen3-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core
  xdg-utils
  qt6-svg-dev libqt6svg6 fonts-liberation2
  poppler-utils desktop-file-utils appstream dpkg-dev file
  lintian man-db bash-completion
  build-essential debhelper devscripts mailcap
  xvfb xauth x11-utils xdotool openbox
  clang libclang-rt-14-dev
  locales
)
# The locales the tests run under: the paper each one names, the windows in
# Spanish and French.
LOCALES=(en_US.UTF-8 es_ES.UTF-8 fr_FR.UTF-8)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done

absent_locales=()
installed_locales=$(locale -a 2>/dev/null | tr 'A-Z' 'a-z' | sed 's/utf-8/utf8/')
for l in "${LOCALES[@]}"; do
  want=$(echo "$l" | tr 'A-Z' 'a-z' | sed 's/utf-8/utf8/')
  grep -qx "$want" <<<"$installed_locales" || absent_locales+=("$l")
done

[ ${#missing[@]} -eq 0 ] && [ ${#absent_locales[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  SUDO=()
elif command -v sudo >/dev/null 2>&1; then
  SUDO=(sudo)
else
  echo "bootstrap: need root or sudo to install: ${missing[*]} ${absent_locales[*]}" >&2
  exit 1
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "bootstrap: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${SUDO[@]}" apt-get update -qq
  "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if [ ${#absent_locales[@]} -gt 0 ]; then
  echo "bootstrap: generating the locales ${absent_locales[*]}"
  for l in "${absent_locales[@]}"; do
    "${SUDO[@]}" sed -i "s/^# *\($l UTF-8\)/\1/" /etc/locale.gen
    grep -q "^$l UTF-8" /etc/locale.gen || echo "$l UTF-8" | "${SUDO[@]}" tee -a /etc/locale.gen >/dev/null
  done
  "${SUDO[@]}" locale-gen >/dev/null
fi
