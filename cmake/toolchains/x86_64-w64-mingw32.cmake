# SPDX-License-Identifier: MIT
# 64-bit Windows with Debian's mingw-w64 g++ (posix threads), run under wine.
# Linked statically, so the .exe needs no libstdc++, libgcc or winpthread DLL.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
find_program(VORL_MINGW_CXX NAMES x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-g++ REQUIRED)
set(CMAKE_CXX_COMPILER ${VORL_MINGW_CXX})
find_program(VORL_MINGW_WINDRES NAMES x86_64-w64-mingw32-windres)
if(VORL_MINGW_WINDRES)
  set(CMAKE_RC_COMPILER ${VORL_MINGW_WINDRES})
endif()
include(${CMAKE_CURRENT_LIST_DIR}/../debian_cross_sysroot.cmake)
vorl_debian_cross_sysroot(x86_64-w64-mingw32)
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
# Debian's wine64 sits outside PATH when the 32-bit wine is not installed.
# wine.sh runs it quietly, in a prefix of the build tree's own.
find_program(VORL_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(VORL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_COMMAND} -E env WINEPREFIX=${CMAKE_BINARY_DIR}/wine-prefix
      ${CMAKE_CURRENT_LIST_DIR}/wine.sh ${VORL_WINE})
endif()
