# SPDX-License-Identifier: MIT
# 64-bit Arm Linux with Debian's cross g++ (g++-aarch64-linux-gnu), run under
# qemu-user. Arm has fused multiply-add, so this is the target where a lost
# -ffp-contract=off would show.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
include(${CMAKE_CURRENT_LIST_DIR}/../debian_cross_sysroot.cmake)
vorl_debian_cross_sysroot(aarch64-linux-gnu)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L /usr/aarch64-linux-gnu)
