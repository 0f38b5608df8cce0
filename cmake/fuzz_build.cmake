# SPDX-License-Identifier: MIT
# Asked for with VORL_FUZZ: the fuzz target is built in a clang build of its
# own under build/fuzz (the rest of the project may use g++), and VORL_FUZZER
# names the executable for the tests.
find_program(VORL_CLANGXX NAMES clang++ clang++-14)
if(VORL_CLANGXX AND NOT DEFINED VORL_HAVE_LIBFUZZER)
  set(_probe ${CMAKE_BINARY_DIR}/CMakeFiles/libfuzzer_probe.cpp)
  file(WRITE ${_probe} "#include <cstddef>\n#include <cstdint>\n"
       "extern \"C\" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t) { return 0; }\n")
  execute_process(COMMAND ${VORL_CLANGXX} -fsanitize=fuzzer,address,undefined ${_probe}
                          -o ${CMAKE_BINARY_DIR}/CMakeFiles/libfuzzer_probe
                  RESULT_VARIABLE _probe_result OUTPUT_QUIET ERROR_QUIET)
  if(_probe_result EQUAL 0)
    set(VORL_HAVE_LIBFUZZER ON CACHE INTERNAL "clang links libFuzzer")
  else()
    set(VORL_HAVE_LIBFUZZER OFF CACHE INTERNAL "clang links libFuzzer")
  endif()
endif()

if(VORL_CLANGXX AND VORL_HAVE_LIBFUZZER)
  include(ExternalProject)
  ExternalProject_Add(vorl_fuzz
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${CMAKE_BINARY_DIR}/fuzz
    CMAKE_ARGS -G Ninja -DCMAKE_CXX_COMPILER=${VORL_CLANGXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo
               -DVORL_FUZZ_ONLY=ON -DVORL_BUILD_GAME=OFF -DBUILD_TESTING=OFF
               -DVORL_HARDEN=OFF
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON
    BUILD_BYPRODUCTS ${CMAKE_BINARY_DIR}/fuzz/vorl-replay-fuzz)
  set(VORL_FUZZER ${CMAKE_BINARY_DIR}/fuzz/vorl-replay-fuzz)
else()
  message(FATAL_ERROR "VORL_FUZZ needs clang with libFuzzer (Debian: clang, libclang-rt-dev)")
endif()
