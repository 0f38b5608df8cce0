# SPDX-License-Identifier: MIT
# The hardening a distribution expects of a program: a stack protector with
# stack clash protection, fortified libc calls, control-flow protection where
# the processor has it (CET on x86, PAC and BTI on AArch64), a read-only
# relocation table bound at start-up and a position-independent executable;
# on Windows, ASLR with a high-entropy base and a non-executable stack and
# heap. Each flag is added only where the compiler or linker takes it, so no
# target we build for fails on one; flags a packager already passes (Debian's
# dpkg-buildflags, say) are left as they are. WebAssembly has none of these,
# and MSVC's counterparts (/GS, /guard:cf) are its own defaults or choices.
if(EMSCRIPTEN OR MSVC)
  return()
endif()

include(CheckCXXCompilerFlag)
include(CheckLinkerFlag)
include(CheckPIESupported)
check_pie_supported(LANGUAGES CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

# Adds FLAG to every compile when the compiler takes it and the packager's
# flags do not already choose it (or its opposite, named by PATTERN); with
# LINK, to every link too.
function(vorl_harden_compile flag pattern)
  if(CMAKE_CXX_FLAGS MATCHES "${pattern}")
    return()
  endif()
  # With -Werror: clang takes a flag it does nothing with for the target
  # (-fstack-clash-protection on AArch64, in Debian 12's clang 14) with a warning.
  string(MAKE_C_IDENTIFIER "VORL_CXX_ACCEPTS${flag}" _takes)
  set(CMAKE_REQUIRED_FLAGS -Werror)
  check_cxx_compiler_flag(${flag} ${_takes})
  if(${_takes})
    add_compile_options(${flag})
    if(ARGN STREQUAL "LINK")
      add_link_options(${flag})
    endif()
  endif()
endfunction()

# Adds the linker option OPTION (as in LINKER:OPTION) to every link when the
# linker takes it and the packager's link flags do not mention PATTERN.
function(vorl_harden_link option pattern)
  if(CMAKE_EXE_LINKER_FLAGS MATCHES "${pattern}")
    return()
  endif()
  string(MAKE_C_IDENTIFIER "VORL_LINKER_TAKES_${option}" _takes)
  check_linker_flag(CXX "LINKER:${option}" ${_takes})
  if(${_takes})
    add_link_options("LINKER:${option}")
  endif()
endfunction()

# The stack protector's runtime is in the C library, except on Windows, where
# the driver links mingw-w64's libssp when the link has the flag too.
vorl_harden_compile(-fstack-protector-strong "fstack-protector" LINK)
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^([iI][3-6]86|x86|X86|x86_64|AMD64|amd64)$")
  vorl_harden_compile(-fstack-clash-protection "fstack-clash-protection")
  vorl_harden_compile(-fcf-protection=full "fcf-protection")
elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(aarch64|arm64|ARM64)$")
  vorl_harden_compile(-fstack-clash-protection "fstack-clash-protection")
  vorl_harden_compile(-mbranch-protection=standard "mbranch-protection")
endif()

# Fortified calls need the optimiser; a compiler that fortifies on its own
# (Ubuntu's) is set to one level, so that no redefinition warning appears.
# mingw-w64's fortified calls would need its libssp, so Windows goes without.
if(NOT WIN32 AND NOT CMAKE_CXX_FLAGS MATCHES "_FORTIFY_SOURCE")
  add_compile_options("$<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
endif()

if(CMAKE_EXECUTABLE_FORMAT STREQUAL "ELF")
  vorl_harden_link(-z,relro "relro")
  vorl_harden_link(-z,now "z,now")
elseif(WIN32)
  vorl_harden_link(--dynamicbase "dynamicbase")
  vorl_harden_link(--nxcompat "nxcompat")
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    vorl_harden_link(--high-entropy-va "high-entropy-va")
  endif()
endif()
