#!/usr/bin/env bash
# Installs the Debian packages QEL needs when any is missing; does nothing when all are there.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev lld clang-format clang-tidy python3
  qt6-base-dev qt6-multimedia-dev
  fonts-liberation xvfb time poppler-utils qpdf lua5.4
  librsvg2-bin appstream desktop-file-utils shared-mime-info xdg-utils libfile-mimeinfo-perl dpkg-dev
  qt6-l10n-tools qt6-translations-l10n
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = "installed" ] || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
