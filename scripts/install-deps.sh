#!/usr/bin/env bash
# Installs with apt whatever the build, the tests and the window screenshots need and the machine
# lacks (Debian 12). Qt Charts needs libqt6opengl6-dev, which Debian does not pull in; Qt's own
# dialogs (the folder chooser) read Japanese from qt6-translations-l10n. Extra
# package names given as arguments are installed too (CI adds clang and libFuzzer).
set -euo pipefail
packages=(cmake ninja-build g++ libgtest-dev libgmock-dev qt6-base-dev qt6-charts-dev libqt6opengl6-dev
          qt6-translations-l10n xvfb xauth fonts-ipafont-gothic python3 "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
