#!/usr/bin/env bash
# Installs the Debian packages the game and its tests need, when missing.
set -euo pipefail

packages=(g++ cmake ninja-build qt6-base-dev qt6-qpa-plugins libgtest-dev libbenchmark-dev
          fonts-dejavu-core clang libclang-rt-14-dev xvfb xdotool x11-utils imagemagick dpkg-dev
          file)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
