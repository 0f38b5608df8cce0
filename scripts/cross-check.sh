#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The same replay script gives the same output to the bit on every supported
# compiler and machine. Builds vorl-replay for each cross target in
# build-cross/<target>, runs every .vrs script in the repository through it
# (qemu-user, wine or natively) and compares standard output, standard error
# and exit status byte for byte with the native x86-64 build's.
#
#   scripts/cross-check.sh [--controls] [--random N] NATIVE_REPLAY [TARGET...]
#
# TARGET names a toolchain file in cmake/toolchains/; the default is all of
# them. --random N: also N
# seeded random scripts from tests/web/random_script.py (seeds 1 to N).
# --controls: also show that the checks bite: the float rules refuse x87,
# fast-math and unvouched contraction, CMake refuses -ffp-contract=fast, and
# the arm64 build with contraction forced on behind both checks' backs gives
# different output.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

controls=0
random=0
while [ $# -gt 0 ]; do
    case "$1" in
        --controls) controls=1; shift ;;
        --random) random=$2; shift 2 ;;
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

start=$EPOCHREALTIME
since() { awk -v a="$1" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.1f", b - a }'; }
out="build-cross"
mkdir -p "$out"
if command -v ccache >/dev/null; then
    export CMAKE_CXX_COMPILER_LAUNCHER="${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}"
fi
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}"

# Every script in the repository, the golden transcripts' and any other.
mapfile -t scripts < <(git ls-files --cached --others --exclude-standard '*.vrs' | sort)
[ ${#scripts[@]} -gt 0 ] || { echo "cross-check.sh: no .vrs scripts found" >&2; exit 1; }
if [ "$random" -gt 0 ]; then
    mkdir -p "$out/random"
    for ((seed = 1; seed <= random; seed++)); do
        python3 tests/web/random_script.py $seed >"$out/random/seed-$seed.vrs"
        scripts+=("$out/random/seed-$seed.vrs")
    done
fi
ticks=0
for s in "${scripts[@]}"; do
    n=$(awk '$1 == "tick" && NF == 1 { t += 1 }
             $1 == "tick" && NF == 2 && $2 ~ /^[0-9]+$/ { t += $2 }
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

# Compares the results in DIR with the native ones, naming each difference
# after LABEL. Fails on any difference.
compare_all() {
    local label=$1 dir=$2 bad=0 s name part a b
    for s in "${scripts[@]}"; do
        name=${s//\//_}
        for part in out err code; do
            what=std$part
            [ $part = code ] && what="exit status"
            a=$out/native-results/$name.$part
            b=$dir/$name.$part
            if ! cmp -s "$a" "$b"; then
                echo "$label: $s: $what differs: $(cmp "$a" "$b" 2>&1 | head -n1)"
                bad=1
            fi
        done
    done
    return $bad
}

run_all "$out/native-results" "$native"

# Debian's wine64 package leaves its loader and server outside PATH.
wine=$(command -v wine64 || command -v /usr/lib/wine/wine64 || command -v wine || echo wine64)
wineserver=$(command -v "$(dirname "$wine")/wineserver64" || command -v wineserver ||
             echo wineserver)

failed=()
summary=()
for target in "${targets[@]}"; do
    toolchain=cmake/toolchains/$target.cmake
    [ -f "$toolchain" ] || { echo "cross-check.sh: no toolchain file $toolchain" >&2; exit 2; }
    build=$out/$target
    t0=$EPOCHREALTIME
    if [ ! -f "$build/CMakeCache.txt" ]; then
        cmake -S . -B "$build" -G Ninja --toolchain "$toolchain" -DCMAKE_BUILD_TYPE=Release \
            -DVORL_BUILD_GAME=OFF -DBUILD_TESTING=OFF -DVORL_HARDEN=OFF -DVORL_BUILD_BENCH=OFF \
            -DVORL_FUZZ=OFF >"$build.log" 2>&1 || { cat "$build.log" >&2; exit 1; }
    fi
    cmake --build "$build" -j2 --target vorl-replay >>"$build.log" 2>&1 ||
        { cat "$build.log" >&2; exit 1; }
    built=$(since "$t0")

    t1=$EPOCHREALTIME
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
    ran=$(since "$t1")

    line=$(printf '%-24s %s scripts, %s ticks: ' "$target" "${#scripts[@]}" "$ticks")
    if compare_all "$target" "$build/results"; then
        line+="same"
    else
        line+="DIFFERS"
        failed+=("$target")
    fi
    summary+=("$line [build ${built}s, run ${ran}s via ${runner[0]:-the kernel}]")
done

# The controls: each must be refused, or its output must differ.
control_lines=()
control() {
    control_lines+=("$(printf '%-58s %s' "$1" "$2")")
    [[ "$2" == refused* || "$2" == differs* ]] || failed+=("control '$1'")
}
# Compiles a file that includes the float rules; says how it went.
probe() {
    local log=$out/controls/probe.log
    if "$@" -std=c++20 -Isrc -fsyntax-only -x c++ "$out/controls/probe.cpp" >"$log" 2>&1; then
        echo "compiles"
    else
        grep -m1 -o 'refused: #error.*' <(sed 's/.*#error/refused: #error/' "$log") ||
            echo "broken: $(head -n1 "$log")"
    fi
}
if [ $controls = 1 ]; then
    t0=$EPOCHREALTIME
    mkdir -p "$out/controls"
    printf '#include "core/numeric/float_rules.h"\n' >"$out/controls/probe.cpp"
    vouch=(-ffp-contract=off -DVORL_FP_CONTRACT_OFF)
    for cxx in g++ clang++ i686-linux-gnu-g++; do
        extra=()
        [ $cxx = i686-linux-gnu-g++ ] && extra=(-msse2 -mfpmath=sse)
        result=$(probe $cxx "${vouch[@]}" "${extra[@]}")
        [ "$result" = compiles ] || failed+=("$cxx with the project's flags: $result")
    done
    control "g++ -ffast-math" "$(probe g++ "${vouch[@]}" -ffast-math)"
    control "clang++ -ffast-math" "$(probe clang++ "${vouch[@]}" -ffast-math)"
    control "clang++ -ffinite-math-only" "$(probe clang++ "${vouch[@]}" -ffinite-math-only)"
    control "g++ -fassociative-math -fno-signed-zeros -fno-trapping-math" \
        "$(probe g++ "${vouch[@]}" -fassociative-math -fno-signed-zeros -fno-trapping-math)"
    control "i686-linux-gnu-g++ -mfpmath=387" "$(probe i686-linux-gnu-g++ "${vouch[@]}" -mfpmath=387)"
    control "clang++ -m32 -mfpmath=387" "$(probe clang++ "${vouch[@]}" -m32 -mfpmath=387)"
    control "g++ without VORL_FP_CONTRACT_OFF" "$(probe g++ -ffp-contract=off)"
    if cmake -S . -B "$out/controls/configure" -G Ninja -DCMAKE_CXX_FLAGS=-ffp-contract=fast \
            -DVORL_BUILD_GAME=OFF -DBUILD_TESTING=OFF >"$out/controls/cmake.log" 2>&1; then
        control "cmake -DCMAKE_CXX_FLAGS=-ffp-contract=fast" "configured"
    else
        control "cmake -DCMAKE_CXX_FLAGS=-ffp-contract=fast" \
            "refused: $(grep -m1 -o 'CMAKE_CXX_FLAGS would.*' "$out/controls/cmake.log")"
    fi
    rm -rf "$out/controls/configure"
    # The arm64 build's own compile commands with -ffp-contract=fast and the
    # vouching definition kept: what a build that slipped past both checks
    # computes. Arm has fused multiply-add; some script must tell it apart.
    arm=$out/aarch64-linux-gnu
    fast=$out/controls/contract-fast
    if [ -f "$arm/compile_commands.json" ]; then
        mkdir -p "$fast"
        python3 -c '
import json, os, shlex, sys
for entry in json.load(open(sys.argv[1])):
    args = ["-ffp-contract=fast" if a == "-ffp-contract=off" else a
            for a in shlex.split(entry["command"])]
    args[args.index("-o") + 1] = os.path.join(sys.argv[2], os.path.basename(entry["file"]) + ".o")
    print(shlex.join(args))' "$arm/compile_commands.json" "$root/$fast" |
            (cd "$arm" && xargs -d '\n' -P2 -I{} sh -c "${CMAKE_CXX_COMPILER_LAUNCHER:-} {}") \
            >"$fast.log" 2>&1 || { cat "$fast.log" >&2; exit 1; }
        aarch64-linux-gnu-g++ "$fast"/*.o -o "$fast/vorl-replay"
        run_all "$fast/results" qemu-aarch64 -L /usr/aarch64-linux-gnu "$fast/vorl-replay"
        if compare_all contract-fast "$fast/results" >"$fast/differences"; then
            control "aarch64 g++ -ffp-contract=fast, behind the checks" "same as native"
        else
            control "aarch64 g++ -ffp-contract=fast, behind the checks" \
                "differs: $(grep -c . "$fast/differences") of $((3 * ${#scripts[@]})) outputs"
        fi
    fi
    control_lines+=("controls took $(since "$t0")s")
fi

echo "cross-check against $native:"
printf '  %s\n' "${summary[@]}"
printf '  %d targets, %d scripts, %d ticks each, %ss in all\n' "${#targets[@]}" \
       "${#scripts[@]}" "$ticks" "$(since "$start")"
if [ $controls = 1 ]; then
    echo "controls (each must be refused, or differ):"
    printf '  %s\n' "${control_lines[@]}"
fi
if [ ${#failed[@]} -gt 0 ]; then
    printf 'cross-check failed: %s\n' "${failed[@]}" >&2
    exit 1
fi
