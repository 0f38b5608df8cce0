# SPDX-License-Identifier: MIT
# What each supported compiler and machine needs for a replay to give the
# same bits everywhere; src/core/numeric/float_rules.h stops a build without it.

# GCC shows no sign of contraction in the source, so the build vouches for
# -ffp-contract=off with a definition, and only where the flag is really set.
# (MSVC takes the header's pragma and shows /fp:contract by a macro.)
if(NOT MSVC)
  get_directory_property(_vorl_options COMPILE_OPTIONS)
  if(NOT "-ffp-contract=off" IN_LIST _vorl_options)
    message(FATAL_ERROR "-ffp-contract=off must be among the compile options before "
                        "cmake/float_rules.cmake is included")
  endif()
  add_compile_definitions(VORL_FP_CONTRACT_OFF)
endif()

# 32-bit x86 computes in the x87's 80 bits unless told to use SSE2, the way
# every other target rounds each double operation. (Emscripten calls itself
# x86 with 32-bit pointers, but WebAssembly rounds each operation anyway.)
if(NOT EMSCRIPTEN AND NOT MSVC AND CMAKE_SIZEOF_VOID_P EQUAL 4
   AND CMAKE_SYSTEM_PROCESSOR MATCHES "^([iI][3-6]86|x86|X86|x86_64|AMD64)$")
  add_compile_options(-msse2 -mfpmath=sse)
endif()

# A flag that changes the arithmetic, in any of the flag variables a user or
# a packager sets, is refused at configure time rather than at the first file.
string(JOIN "|" _vorl_unsafe_flags fast-math -Ofast "ffp-contract=(fast|on)" -funsafe-math
       -fassociative-math -freciprocal-math -ffinite-math -fno-signed-zeros -mfpmath=387
       -fexcess-precision=fast /fp:fast /fp:contract)
set(_vorl_flag_vars CMAKE_CXX_FLAGS)
foreach(_config IN LISTS CMAKE_BUILD_TYPE CMAKE_CONFIGURATION_TYPES)
  string(TOUPPER "${_config}" _config)
  list(APPEND _vorl_flag_vars CMAKE_CXX_FLAGS_${_config})
endforeach()
foreach(_var IN LISTS _vorl_flag_vars)
  if("${${_var}}" MATCHES "${_vorl_unsafe_flags}")
    message(FATAL_ERROR "${_var} would change the game's arithmetic: ${${_var}}")
  endif()
endforeach()

# The core and the replay tool hold to standard C++, with no compiler
# extension, so that every supported compiler reads them alike.
function(vorl_standard_only)
  foreach(_target IN LISTS ARGN)
    target_compile_options(${_target} PRIVATE
      $<$<CXX_COMPILER_ID:GNU,Clang,AppleClang>:-pedantic-errors>)
  endforeach()
endfunction()
