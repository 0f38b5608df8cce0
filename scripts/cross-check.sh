#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The same replay script gives the same output to the bit on every supported
# compiler and machine. Builds vorl-replay for each cross target in
# build-cross/<target>, runs every .vrs script in the repository through it
# (qemu-user, wine or natively) and compares standard output, standard error
# and exit status byte for byte with the native x86-64 build's.
#
#   scripts/cross-check.sh [--expect-crlf TARGET]... NATIVE_VORL_REPLAY [TARGET...]
#
# TARGET names a toolchain file in cmake/toolchains/; the default is all of
# them. --expect-crlf TARGET: that target's standard streams are known to be
# in Windows text mode, so its output must differ from the native output by a
# CR before each LF and in nothing else; identical output fails too, so that
# the option is dropped once the streams are binary.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

expect_crlf=()
while [ $# -gt 0 ]; do
    case "$1" in
        --expect-crlf) expect_crlf+=("$2"); shift 2 ;;
        -*) echo "cross-check.sh: unknown option $1" >&2; exit 2 ;;
        *) break ;;
    esac
done
if [ $# -lt 1 ]; then
    sed -n 9p "$0" | sed 's/^# */usage: /' >&2
    exit 2
fi
native=$(realpath "$1")
shift
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for f in cmake/toolchains/*.cmake; do targets+=("$(basename "$f" .cmake)"); done
fi
[ -x "$native" ] || { echo "cross-check.sh: $native is not a program" >&2; exit 2; }

start=$(date +%s.%N)
out=build-cross
mkdir -p "$out"
command -v ccache >/dev/null && export CMAKE_CXX_COMPILER_LAUNCHER="${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}"
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}"

# Every script in the repository, the golden transcripts' and any other.
mapfile -t scripts < <(git ls-files --cached --others --exclude-standard '*.vrs' | sort)
[ ${#scripts[@]} -gt 0 ] || { echo "cross-check.sh: no .vrs scripts found" >&2; exit 1; }
ticks=0
for s in "${scripts[@]}"; do
    n=$(awk '$1 == "tick" && NF == 1 { t += 1 } $1 == "tick" && NF == 2 && $2 ~ /^[0-9]+$/ { t += $2 }
             END { print t + 0 }' "$s")
    ticks=$((ticks + n))
done

# Runs PROGRAM on each script, leaving NAME.out, NAME.err and NAME.code in DIR.
run_all() {
    local dir=$1
    shift
    mkdir -p "$dir"
    local s name code
    for s in "${scripts[@]}"; do
        name=${s//\//_}
        code=0
        "$@" <"$s" >"$dir/$name.out" 2>"$dir/$name.err" || code=$?
        printf '%s\n' "$code" >"$dir/$name.code"
    done
}

# The first differing byte of two files, as text, or nothing when equal.
first_difference() {
    cmp "$1" "$2" 2>&1 | head -n1 || true
}

# Whether B is A with a CR put before every LF, and nothing else changed.
crlf_only() {
    python3 - "$1" "$2" <<'EOF'
import sys
a = open(sys.argv[1], 'rb').read()
b = open(sys.argv[2], 'rb').read()
sys.exit(0 if a != b and a.replace(b'\n', b'\r\n') == b else 1)
EOF
}

run_all "$out/native-results" "$native"

# Debian's wine64 package leaves its loader and server outside PATH.
wine=$(command -v wine64 || command -v /usr/lib/wine/wine64 || command -v wine || echo wine64)
wineserver=$(command -v "$(dirname "$wine")/wineserver64" || command -v wineserver || echo wineserver)

failed=()
summary=()
for target in "${targets[@]}"; do
    toolchain=cmake/toolchains/$target.cmake
    [ -f "$toolchain" ] || { echo "cross-check.sh: no toolchain file $toolchain" >&2; exit 2; }
    build=$out/$target
    t0=$(date +%s.%N)
    if [ ! -f "$build/CMakeCache.txt" ]; then
        cmake -S . -B "$build" -G Ninja --toolchain "$toolchain" -DCMAKE_BUILD_TYPE=Release \
            -DVORL_BUILD_GAME=OFF -DBUILD_TESTING=OFF -DVORL_HARDEN=OFF -DVORL_BUILD_BENCH=OFF \
            -DVORL_FUZZ=OFF >"$build.log" 2>&1 || { cat "$build.log" >&2; exit 1; }
    fi
    cmake --build "$build" -j2 --target vorl-replay >>"$build.log" 2>&1 || { cat "$build.log" >&2; exit 1; }
    t1=$(date +%s.%N)

    program=$build/vorl-replay
    [ -f "$program.exe" ] && program=$program.exe
    # How to start it, as the toolchain file's CMAKE_CROSSCOMPILING_EMULATOR
    # says, except that an i386 binary runs natively where the kernel can.
    case "$target" in
        *mingw*) runner=("$wine") ;;
        aarch64-*) runner=(qemu-aarch64 -L /usr/aarch64-linux-gnu) ;;
        i?86-*) runner=(qemu-i386 -L /usr/i686-linux-gnu)
                if "$program" </dev/null >/dev/null 2>&1; then runner=(); fi ;;
        *) runner=() ;;
    esac
    if [[ "${runner[0]:-}" == *wine* ]]; then
        # A console program needs no display; the prefix lives in the build
        # tree and is made once, without the .NET and browser installers.
        export WINEDEBUG=-all WINEPREFIX=$root/$out/wine-prefix
        export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
        export DISPLAY=
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            "$wine" wineboot --init >/dev/null 2>&1
            "$wineserver" -w
        fi
    fi
    run_all "$build/results" "${runner[@]}" "$program"
    if [[ "${runner[0]:-}" == *wine* ]]; then
        "$wineserver" -k || true
    fi
    t2=$(date +%s.%N)

    crlf=0
    for e in "${expect_crlf[@]}"; do [ "$e" = "$target" ] && crlf=1; done
    bad=0
    for s in "${scripts[@]}"; do
        name=${s//\//_}
        for part in out err code; do
            a=$out/native-results/$name.$part
            b=$build/results/$name.$part
            if [ $crlf = 1 ] && [ $part != code ] && [ -s "$a" ]; then
                if ! crlf_only "$a" "$b"; then
                    echo "$target: $s: standard $part is not the native one with CRLF line ends:" \
                         "$(first_difference "$a" "$b")"
                    bad=1
                fi
            elif ! cmp -s "$a" "$b"; then
                echo "$target: $s: $part differs: $(first_difference "$a" "$b")"
                bad=1
            fi
        done
    done
    note=""
    [ $crlf = 1 ] && note=" (every byte but the expected CR before each LF)"
    line=$(printf '%-26s %s scripts, %s ticks: ' "$target" "${#scripts[@]}" "$ticks")
    if [ $bad = 0 ]; then
        line+="same$note"
    else
        line+="DIFFERS"
        failed+=("$target")
    fi
    line+=$(printf ' [build %.1fs, run %.1fs via %s]' "$(echo "$t1 - $t0" | bc)" \
                   "$(echo "$t2 - $t1" | bc)" "${runner[0]:-native}")
    summary+=("$line")
done

echo "cross-check against $native:"
printf '  %s\n' "${summary[@]}"
printf '  %d targets, %d scripts, %d ticks each, %.1fs in all\n' "${#targets[@]}" \
       "${#scripts[@]}" "$ticks" "$(echo "$(date +%s.%N) - $start" | bc)"
if [ ${#failed[@]} -gt 0 ]; then
    echo "cross-check: output differs on ${failed[*]}" >&2
    exit 1
fi
