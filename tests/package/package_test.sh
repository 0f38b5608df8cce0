#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the .deb from a build folder and checks it as a distribution would:
# what it holds and needs, lintian at its most pedantic, the desktop entry,
# the metainfo and the binary's hardening. As root, and only when the package
# is not installed already, it then installs the .deb, starts the installed
# game and removes the package again; a copy the user had installed before
# is never touched.
# Usage: package_test.sh BUILD_DIR
set -euo pipefail
# Under an X server of its own, which xvfb-run starts on a free display.
if [ -z "${VORL_IN_XVFB:-}" ]; then
    VORL_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1400x900x24" "$0" "$@"
fi

build=$(cd "$1" && pwd)
skip=77
[ -x "$build/vorl" ] || { echo "SKIP: the game was not built"; exit $skip; }

package=darvos-vorl-hall
app_id=org.darvosvorlhall.vorl
work=$(mktemp -d)
game_pid=
we_installed=
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
    [ -n "$we_installed" ] && dpkg -r "$package" >/dev/null 2>&1 || true
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
mkdir "$work/root"
dpkg-deb -x "$deb" "$work/root"

# What it holds: the game where Debian keeps games, its menu entry, icons,
# metainfo, manual page, copyright and changelog; nothing from the tests.
expected="./usr/games/vorl
./usr/share/applications/$app_id.desktop
./usr/share/doc/$package/changelog.gz
./usr/share/doc/$package/copyright"
for size in 128 16 22 24 256 32 48 64; do
    expected+=$'\n'"./usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
done
expected+="
./usr/share/icons/hicolor/scalable/apps/$app_id.svg
./usr/share/man/man6/vorl.6.gz
./usr/share/metainfo/$app_id.metainfo.xml"
contents=$(dpkg-deb -c "$deb" | awk '$NF !~ /\/$/ {print $NF}' | sort)
[ "$contents" = "$expected" ] || fail "unexpected contents: $(diff <(echo "$expected") <(echo "$contents"))"
for size in 16 22 24 32 48 64 128 256; do
    file "$work/root/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png" |
        grep -q "PNG image data, $size x $size," || fail "the ${size}x${size} icon has another size"
done

# The distribution's own checks, hardening-check's every line included. A
# program is marked for control-flow protection only when all it links is:
# where the C library's start files carry no such mark (Debian 12's crti.o,
# whose _init the loader calls without an endbr64 to land on), the game's own
# code must still be built for it, and only that line is left out.
compiler=$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$build/CMakeCache.txt")
skip_cf=()
for start_file in Scrt1.o crti.o crtn.o; do
    readelf -n "$("$compiler" -print-file-name=$start_file)" | grep -q 'x86 feature: IBT, SHSTK' ||
        skip_cf=(--nocfprotection)
done
if [ ${#skip_cf[@]} -gt 0 ]; then
    first=$(objdump -d --no-show-raw-insn --disassemble=main "$build/vorl" |
        awk '/<main>:/ { getline; print }')
    [[ "$first" == *endbr64* ]] || fail "the game's own code has no control-flow protection"
    echo "hardening-check without control-flow integrity: the C library's start files lack it"
fi
lintian --pedantic --fail-on error,warning "$deb" 2>&1 | tee "$work/lintian.log" ||
    fail "lintian"
desktop-file-validate "$work/root/usr/share/applications/$app_id.desktop" || fail "desktop entry"
appstreamcli validate --no-net --pedantic "$work/root/usr/share/metainfo/$app_id.metainfo.xml" ||
    fail "metainfo"
hardening-check "${skip_cf[@]}" "$work/root/usr/games/vorl" || fail "hardening"
grep -q 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
    "$work/root/usr/share/doc/$package/copyright" || fail "the copyright file is not DEP-5"

# What it needs: every library the game links is owned by a package it
# depends on, and the X11 platform plugin Qt loads at run time is there too.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
dependency_names=$(tr ',|' '\n\n' <<<"$depends" | awk '{print $1}')
owner_of() {  # the package that owns a file, under any of its /usr-merged names
    local real
    real=$(readlink -f "$1")
    for name in "$1" "$real" "${1#/usr}" "/usr$1" "${real#/usr}" "/usr$real"; do
        dpkg -S "$name" 2>/dev/null | sed -n '1s/:.*//p' && return 0
    done
    return 1
}
for lib in $(objdump -p "$work/root/usr/games/vorl" | awk '$1 == "NEEDED" {print $2}'); do
    # awk reads to the end: an early exit would break ldconfig's pipe.
    path=$(ldconfig -p | awk -v l="$lib" '$1 == l && /x86-64/ && !found {print $NF; found = 1}')
    owner=$(owner_of "$path") || fail "no package owns $lib"
    grep -qxF "$owner" <<<"$dependency_names" || fail "$lib ($owner) is not a dependency"
done
grep -qxF qt6-qpa-plugins <<<"$dependency_names" || fail "no X11 platform plugin"
[ "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland ] || fail "qt6-wayland is not recommended"

if [ "$(id -u)" -ne 0 ]; then
    echo "checked $deb; not installed (installing needs root)"
    exit 0
fi
if [ "$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null)" = "install ok installed" ]; then
    echo "checked $deb; not installed, since $package is installed already"
    exit 0
fi

# Install as a user would, then start the installed game.
we_installed=1
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    -o DPkg::Lock::Timeout=120 "$deb" >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; fail "apt-get install"; }
[ -x /usr/games/vorl ] || fail "the game is not in /usr/games"
[ -f /usr/share/applications/$app_id.desktop ] || fail "desktop entry not installed"

/usr/games/vorl >"$work/game.log" 2>&1 &
game_pid=$!
if ! window=$(timeout 10 xdotool search --sync --onlyvisible \
    --name "^Darvo's Vorl Hall\$" | head -n 1); then
    cat "$work/game.log"
    fail "the installed game showed no window"
fi
kill -0 "$game_pid" || fail "the installed game died"
# The desktop ties the window to its menu entry, and so to its icon, by class.
wm_class=$(xprop -id "$window" WM_CLASS)
grep -q "\"$(sed -n 's/^StartupWMClass=//p' /usr/share/applications/$app_id.desktop)\"" \
    <<<"$wm_class" || fail "the window's class ($wm_class) is not the entry's StartupWMClass"
echo "checked, installed, started and showed its window: $deb"
