# SPDX-License-Identifier: MIT
# The WebAssembly build, made with Debian's Emscripten by scripts/build-web.sh
# into build-web/ (and by the dev build, for its tests, into its web/): the
# browser version's static site (site/) and the replay tool, run under node.
# The core's arithmetic is pinned as in the native build: -ffp-contract=off
# comes from the top level, and WebAssembly has no wider registers.

# The replay tool throws and catches its line errors; WebAssembly's own
# exceptions are the ones that cost nothing until thrown.
add_compile_options(-fwasm-exceptions)
add_link_options(-fwasm-exceptions)
# Float-to-integer conversions as single instructions: the core only
# converts values in range, where the result is the same, and the tick is
# a few per cent faster than with the range checks of the first WebAssembly.
add_compile_options(-mnontrapping-fptoint)

# Emscripten's JavaScript optimiser needs acorn, which Debian keeps apart
# from node's own modules. Its libraries come prebuilt in a read-only cache,
# so no EM_CACHE is set: a fresh one would have to be built, and cannot be
# here. Its temporary files stay in the build folder.
find_path(VORL_ACORN_MODULES NAMES acorn/package.json
          PATHS /usr/share/nodejs /usr/lib/nodejs /usr/local/lib/node_modules
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT VORL_ACORN_MODULES)
  message(FATAL_ERROR "Emscripten needs the node module acorn (Debian: node-acorn)")
endif()
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/tmp)
set(_emscripten_env ${CMAKE_COMMAND} -E env NODE_PATH=${VORL_ACORN_MODULES}
    TMPDIR=${CMAKE_BINARY_DIR}/tmp)
set(CMAKE_CXX_COMPILER_LAUNCHER ${_emscripten_env})
set(CMAKE_CXX_LINKER_LAUNCHER ${_emscripten_env})

if(NOT NODE_JS_EXECUTABLE)
  find_program(NODE_JS_EXECUTABLE NAMES node nodejs REQUIRED)
endif()

# Makes TARGET a command-line program for node: the module reads and writes
# the process's own standard streams byte for byte and ends with main's
# exit status, and ${CMAKE_BINARY_DIR}/TARGET, a shell script, runs it.
function(vorl_node_program target)
  target_link_options(${target} PRIVATE
    -sENVIRONMENT=node
    # Raw file descriptors: no UTF-8 round trip of stdin, stdout or stderr.
    -sNODERAWFS=1
    # Flush the streams and hand main's return value to the process.
    -sEXIT_RUNTIME=1
    # Read the .wasm file directly: node 20's fetch refuses a plain path.
    -sWASM_ASYNC_COMPILATION=0
    -sALLOW_MEMORY_GROWTH=1)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  vorl_launcher(${target} ${target} ${NODE_JS_EXECUTABLE})
endfunction()
