#!/usr/bin/env bash
# Builds the .deb from a build folder, checks what it holds and what it needs,
# installs it with apt-get, starts the installed game on a fresh X server and
# removes the package again. Needs root (it installs into this machine).
# Usage: package_test.sh BUILD_DIR
set -euo pipefail

build=$(cd "$1" && pwd)
skip=77
[ -x "$build/vorl" ] || { echo "SKIP: the game was not built"; exit $skip; }
[ "$(id -u)" -eq 0 ] || { echo "SKIP: installing a package needs root"; exit $skip; }

package=darvos-vorl-hall
work=$(mktemp -d)
xvfb_pid=
game_pid=
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    if [ "$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null)" = "install ok installed" ]; then
        dpkg -r "$package" >/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/${package}_*.deb)

# What it holds: the game and its menu entry, nothing from the tests.
contents=$(dpkg-deb -c "$deb" | awk '$NF !~ /\/$/ {print $NF}' | sort)
[ "$contents" = "$(printf './usr/bin/vorl\n./usr/share/applications/%s.desktop' $package)" ] ||
    fail "unexpected contents: $contents"
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/applications/$package.desktop >"$work/entry"
grep -qx "Name=Darvo's Vorl Hall" "$work/entry" || fail "desktop entry name"
grep -qx "Categories=Game;BoardGame;" "$work/entry" || fail "desktop entry categories"
grep -qx "Exec=vorl" "$work/entry" || fail "desktop entry command"
! grep -q '^Icon=' "$work/entry" || fail "desktop entry names an icon"

# What it needs: every library the game links is owned by a package it
# depends on, and the X11 platform plugin Qt loads at run time is there too.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
dependency_names=$(tr ',|' '\n\n' <<<"$depends" | awk '{print $1}')
mkdir "$work/root"
dpkg-deb -x "$deb" "$work/root"
owner_of() {  # the package that owns a file, under any of its /usr-merged names
    local real
    real=$(readlink -f "$1")
    for name in "$1" "$real" "${1#/usr}" "/usr$1" "${real#/usr}" "/usr$real"; do
        dpkg -S "$name" 2>/dev/null | sed -n '1s/:.*//p' && return 0
    done
    return 1
}
for lib in $(objdump -p "$work/root/usr/bin/vorl" | awk '$1 == "NEEDED" {print $2}'); do
    # awk reads to the end: an early exit would break ldconfig's pipe.
    path=$(ldconfig -p | awk -v l="$lib" '$1 == l && /x86-64/ && !found {print $NF; found = 1}')
    owner=$(owner_of "$path") || fail "no package owns $lib"
    grep -qxF "$owner" <<<"$dependency_names" || fail "$lib ($owner) is not a dependency"
done
grep -qxF qt6-qpa-plugins <<<"$dependency_names" || fail "no X11 platform plugin"

# Install as a user would, then start the installed game.
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    -o DPkg::Lock::Timeout=120 "$deb" >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; fail "apt-get install"; }
[ "$(command -v vorl)" = /usr/bin/vorl ] || fail "vorl is not on the PATH"
[ -f /usr/share/applications/$package.desktop ] || fail "desktop entry not installed"

# Xvfb picks a free display and writes its number to the pipe.
mkfifo "$work/display"
exec {display_fd}<>"$work/display"
Xvfb -displayfd "$display_fd" -screen 0 1400x900x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 10 -u "$display_fd" display || fail "Xvfb did not start"
DISPLAY=:$display vorl >"$work/game.log" 2>&1 &
game_pid=$!
if ! DISPLAY=:$display timeout 10 xdotool search --sync --onlyvisible --name "^Darvo's Vorl Hall\$" \
    >/dev/null; then
    cat "$work/game.log"
    fail "the installed game showed no window"
fi
kill -0 "$game_pid" || fail "the installed game died"
echo "installed, started and showed its window: $deb"
