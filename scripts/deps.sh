#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages a task needs, when they are missing.
#   scripts/deps.sh play    building and playing the game
#   scripts/deps.sh test    building everything and running every test (with
#                           web for the browser version's tests)
#   scripts/deps.sh web     building and testing the browser version
#   scripts/deps.sh cross   the replay tool for i386, arm64 and Windows, run
#                           under qemu-user and wine (part of test)
# VORL_SKIP_DEPS=1 skips it, for a machine set up by other means.
set -euo pipefail

[ "${VORL_SKIP_DEPS:-0}" = 1 ] && exit 0

# Names that exist on Debian 12 and 13 and on current Ubuntu.
# The decimal text's two header-only libraries, which every build compiles in.
headers=(libdragonbox-dev libfast-float-dev)
play=(g++ cmake ninja-build qt6-base-dev qt6-qpa-plugins fonts-dejavu-core "${headers[@]}")
cross=(g++-i686-linux-gnu g++-aarch64-linux-gnu g++-mingw-w64-x86-64-posix wine64 qemu-user
       clang lld python3 "${headers[@]}")
# xvfb-run needs xauth, which xvfb only recommends; ccache keeps compiled
# objects from one build to the next.
test=("${play[@]}" "${cross[@]}" libgtest-dev libbenchmark-dev clang-format libclang-rt-dev
      xvfb xauth xdotool x11-utils openbox imagemagick dpkg-dev file lintian appstream
      desktop-file-utils devscripts ccache weston qt6-wayland)
# The browser tests' three engines (WebKit's MiniBrowser runs under
# xvfb-run); the site's server (tools/web-server) is Debian's serve-static
# and compression.
web=(emscripten chromium firefox-esr webkit2gtk-driver xvfb xauth librsvg2-bin node-serve-static
     node-compression "${headers[@]}")

wanted=()
for group in "$@"; do
    case "$group" in
        play) wanted+=("${play[@]}") ;;
        test) wanted+=("${test[@]}") ;;
        web) wanted+=("${web[@]}") ;;
        cross) wanted+=("${cross[@]}") ;;
        *) echo "deps.sh: unknown group '$group' (play, test, web or cross)" >&2; exit 2 ;;
    esac
done

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}
missing=()
for p in $(printf '%s\n' "${wanted[@]}" | sort -u); do
    installed "$p" || missing+=("$p")
done
# Node.js may come from elsewhere than Debian; only its commands matter.
if [[ " $* " == *" web "* ]]; then
    command -v node >/dev/null || missing+=(nodejs)
    command -v npm >/dev/null || missing+=(npm)
fi
[ ${#missing[@]} -eq 0 ] && exit 0

if ! command -v apt-get >/dev/null || ! command -v dpkg-query >/dev/null; then
    echo "deps.sh: this system has no apt-get; install these Debian packages (or their" >&2
    echo "equivalents) by other means, then run again with VORL_SKIP_DEPS=1:" >&2
    echo "  ${missing[*]}" >&2
    exit 1
fi
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
        echo "deps.sh: installing needs root and there is no sudo; as root, run:" >&2
        echo "  apt-get install ${missing[*]}" >&2
        exit 1
    fi
    sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
