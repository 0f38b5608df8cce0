// SPDX-License-Identifier: MIT
#pragma once

// A replay gives the same bits on every compiler and machine the game
// supports only if each double operation is rounded once, as written. The
// settings below break that, so a build with any of them stops here rather
// than compute a different table. The headers that the core's arithmetic
// files include bring this one in.

#include <cfloat>

// x87 code keeps 80-bit intermediates and rounds twice: the 2^52 trick in
// roundHalfEven and the tick's sums come out different. i386 needs
// -msse2 -mfpmath=sse (MSVC: /arch:SSE2).
#if defined(FLT_EVAL_METHOD)
#if FLT_EVAL_METHOD != 0
#error "FLT_EVAL_METHOD is not 0 (x87 excess precision): build i386 with -msse2 -mfpmath=sse"
#endif
#elif defined(_M_IX86_FP)
#if _M_IX86_FP < 2
#error "x87 arithmetic (/arch:IA32): build with /arch:SSE2"
#endif
#elif !defined(_MSC_VER)
#error "FLT_EVAL_METHOD is not defined: cannot tell how this compiler evaluates doubles"
#endif

// Fast-math lets the compiler reorder sums, drop the 2^52 trick as a no-op,
// assume no NaN and lose the sign of zero.
#if defined(__FAST_MATH__) || defined(__ASSOCIATIVE_MATH__) || defined(__RECIPROCAL_MATH__) || \
    defined(__NO_SIGNED_ZEROS__)
#error "fast or unsafe floating-point math is on: the game's results would change"
#endif
#if defined(__FINITE_MATH_ONLY__) && __FINITE_MATH_ONLY__
#error "-ffinite-math-only is on: the core's NaN and infinity handling would be compiled away"
#endif
#if defined(_M_FP_FAST)
#error "/fp:fast is on: build with /fp:precise"
#endif

// A fused multiply-add rounds once where the source rounds twice. MSVC and
// clang take a pragma (clang ignores it only under -ffp-contract=fast, which
// no macro reveals); GCC has neither pragma nor macro, so the build system
// vouches for -ffp-contract=off by defining VORL_FP_CONTRACT_OFF next to it.
#if defined(_M_FP_CONTRACT)
#error "/fp:contract is on: build without it"
#endif
#if defined(__clang__)
#pragma STDC FP_CONTRACT OFF
#elif defined(_MSC_VER)
#pragma fp_contract(off)
#endif
#if defined(__GNUC__) && !defined(VORL_FP_CONTRACT_OFF)
#error "build with -ffp-contract=off and define VORL_FP_CONTRACT_OFF (CMake does both)"
#endif
