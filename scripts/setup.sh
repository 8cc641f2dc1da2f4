#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need,
# and only those that are missing, so a second run costs almost nothing.
# Packages named on the command line are wanted as well.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-tools-dev libgl-dev libx11-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont-gothic xvfb libkakasi2-dev
  qt6-translations-l10n ccache
  qt6-webengine-dev fonts-noto-color-emoji unicode-data
  libgif-dev
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -ne 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# The about box starts the system-information program the registry names.
"$(dirname "$0")/register_sysinfo.sh"
