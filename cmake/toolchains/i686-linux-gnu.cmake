# SPDX-License-Identifier: MIT
# 32-bit x86 Linux with Debian's cross g++ (g++-i686-linux-gnu). The project
# adds -msse2 -mfpmath=sse itself. Linked statically, the binary runs on an
# x86-64 kernel with no i386 libraries installed; qemu-i386 is the fallback.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_CXX_COMPILER i686-linux-gnu-g++)
include(${CMAKE_CURRENT_LIST_DIR}/../debian_cross_sysroot.cmake)
vorl_debian_cross_sysroot(i686-linux-gnu)
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386 -L /usr/i686-linux-gnu)
