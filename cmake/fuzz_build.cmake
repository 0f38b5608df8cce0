# SPDX-License-Identifier: MIT
# Asked for with VORL_FUZZ: the fuzz targets, build/.../fuzz/vorl-replay-fuzz
# and vorl-state-fuzz, which VORL_FUZZER and VORL_STATE_FUZZER name for the
# tests. libFuzzer needs clang.
# - When the project itself is built with clang, the sanitized core the tests
#   use also gets libFuzzer's coverage hooks, and the fuzz target links it
#   (fuzz/CMakeLists.txt): the core is not compiled again.
# - With another compiler (g++, the dev preset's and Debian's), the fuzz
#   target is built in a clang build of its own under fuzz/, with the parent's
#   generator and its warnings-as-errors setting; that compiles the core once
#   more, and again only when a source it uses has changed.
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  set(VORL_CLANGXX ${CMAKE_CXX_COMPILER})
else()
  find_program(VORL_CLANGXX NAMES clang++ clang++-14)
endif()
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
if(NOT VORL_CLANGXX OR NOT VORL_HAVE_LIBFUZZER)
  message(FATAL_ERROR "VORL_FUZZ needs clang with libFuzzer (Debian: clang, libclang-rt-dev)")
endif()

set(VORL_FUZZER ${CMAKE_BINARY_DIR}/fuzz/vorl-replay-fuzz)
set(VORL_STATE_FUZZER ${CMAKE_BINARY_DIR}/fuzz/vorl-state-fuzz)
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  set(VORL_FUZZ_IN_TREE ON)
  list(APPEND VORL_SANITIZE_FLAGS -fsanitize=fuzzer-no-link)
  return()
endif()

vorl_external_build(vorl_fuzz DIR ${CMAKE_BINARY_DIR}/fuzz BYPRODUCTS ${VORL_FUZZER} ${VORL_STATE_FUZZER}
  CMAKE_ARGS -DCMAKE_CXX_COMPILER=${VORL_CLANGXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo
             -DVORL_FUZZ_ONLY=ON -DVORL_BUILD_GAME=OFF -DBUILD_TESTING=OFF -DVORL_HARDEN=OFF
             -DCMAKE_COMPILE_WARNING_AS_ERROR=${CMAKE_COMPILE_WARNING_AS_ERROR})
