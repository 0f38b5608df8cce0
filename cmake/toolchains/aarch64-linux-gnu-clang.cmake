# SPDX-License-Identifier: MIT
# 64-bit Arm Linux with clang and lld, on the sysroot and C++ library of
# Debian's cross g++ (g++-aarch64-linux-gnu), run under qemu-user.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET aarch64-linux-gnu)
set(CMAKE_EXE_LINKER_FLAGS_INIT -fuse-ld=lld)
include(${CMAKE_CURRENT_LIST_DIR}/../debian_cross_sysroot.cmake)
vorl_debian_cross_sysroot(aarch64-linux-gnu)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L /usr/aarch64-linux-gnu)
