# SPDX-License-Identifier: MIT
# The host's own x86-64 Linux with clang and lld: the native build is g++, so
# this is the second compiler on the same machine. Runs natively.
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_EXE_LINKER_FLAGS_INIT -fuse-ld=lld)
