#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Every C++ source of the project against .clang-format; names each file
# clang-format would change, and fails then.
set -euo pipefail
cd "$(dirname "$0")/../.."
format=${1:-}
if [ -z "$format" ]; then
    format=$(command -v clang-format || command -v clang-format-14 || true)
fi
[ -n "$format" ] || { echo "clang-format not found (Debian: clang-format)" >&2; exit 1; }
mapfile -d '' files < <(find src tools tests bench fuzz -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
[ ${#files[@]} -gt 0 ] || { echo "no C++ sources found" >&2; exit 1; }
"$format" --dry-run -Werror "${files[@]}"
echo "${#files[@]} files formatted as .clang-format says"
