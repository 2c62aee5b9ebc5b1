#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quorvel authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the system packages Quorvel is built and tested with, asking the
# package manager only for what is missing. Runs as root or through sudo; when
# everything is already there it does nothing and asks nothing.
set -euo pipefail

packages=(
  build-essential
  cmake
  qt6-base-dev
  qt6-svg-dev
  qt6-charts-dev
  libqt6opengl6-dev
  libgl-dev
  libgtest-dev
  libbenchmark-dev
  fonts-dejavu-core
  fonts-liberation
  # The install check: validators of the desktop entry and the AppStream
  # file, the manual-page formatter, and the tools CPack works out the
  # package's dependencies with.
  desktop-file-utils
  appstream
  groff-base
  dpkg-dev
  file
  # Debian's check of the package, the check of every file's licence, and
  # the interpreter of the completion's test (which drives bash on a
  # terminal).
  lintian
  reuse
  python3
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

if ! command -v apt-get >/dev/null 2>&1; then
  echo "These packages are missing and no apt-get was found: ${missing[*]}" >&2
  exit 1
fi

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
