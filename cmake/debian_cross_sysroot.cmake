# SPDX-License-Identifier: MIT
# Shared by the cross toolchain files: libraries, headers and packages come
# from the sysroot of Debian's cross compiler for TRIPLE (/usr/TRIPLE),
# programs from the host.
macro(vorl_debian_cross_sysroot triple)
  set(CMAKE_FIND_ROOT_PATH /usr/${triple})
  set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
  set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
  set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
  set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
endmacro()
