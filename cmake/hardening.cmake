# SPDX-License-Identifier: MIT
# The hardening a distribution expects of a program: a stack protector with
# stack clash protection, fortified libc calls, control-flow protection where
# the processor has it, a read-only relocation table bound at start-up and a
# position-independent executable. Flags a packager already passes (Debian's
# dpkg-buildflags, say) are left as they are. WebAssembly has none of these,
# and MSVC's counterparts (/GS, /guard:cf) are its own defaults or choices.
if(EMSCRIPTEN OR MSVC)
  return()
endif()

include(CheckCXXCompilerFlag)
include(CheckPIESupported)
check_pie_supported(LANGUAGES CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

if(NOT CMAKE_CXX_FLAGS MATCHES "fstack-protector")
  add_compile_options(-fstack-protector-strong)
endif()
foreach(_flag -fstack-clash-protection -fcf-protection)
  string(MAKE_C_IDENTIFIER "VORL_HAS${_flag}" _has)
  check_cxx_compiler_flag(${_flag} ${_has})
  if(${_has} AND NOT CMAKE_CXX_FLAGS MATCHES "${_flag}")
    add_compile_options(${_flag})
  endif()
endforeach()
# Fortified calls need the optimiser; a compiler that fortifies on its own
# (Ubuntu's) is set to one level, so that no redefinition warning appears.
if(NOT CMAKE_CXX_FLAGS MATCHES "_FORTIFY_SOURCE")
  add_compile_options("$<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
endif()
if(NOT CMAKE_EXE_LINKER_FLAGS MATCHES "relro")
  add_link_options(LINKER:-z,relro)
endif()
if(NOT CMAKE_EXE_LINKER_FLAGS MATCHES "z,now")
  add_link_options(LINKER:-z,now)
endif()
