# SPDX-License-Identifier: MIT
# Other builds of this project made inside this one, each in a folder of the
# build tree: the fuzz target with clang, the replay tool for each cross
# target and the WebAssembly build. A test that runs their programs can then
# never meet a stale one: `cmake --build` brings them up to date with the
# rest.
#
# Such a build runs again when a file it may compile or configure changes,
# and its own Ninja then recompiles only what that change touched. They run
# one at a time (Ninja's console pool), each with two jobs, beside this
# build's own: a 2-core machine is kept busy without being swamped. What they
# print goes to a log beside their stamps, shown when a step fails.
include(ExternalProject)

file(GLOB_RECURSE VORL_EXTERNAL_INPUTS CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/src/* ${PROJECT_SOURCE_DIR}/tools/* ${PROJECT_SOURCE_DIR}/fuzz/*
     ${PROJECT_SOURCE_DIR}/cmake/*)
list(APPEND VORL_EXTERNAL_INPUTS ${PROJECT_SOURCE_DIR}/CMakeLists.txt
     ${PROJECT_SOURCE_DIR}/packaging/icons/${VORL_APP_ID}.svg)

# vorl_external_build(NAME DIR dir [TARGETS target...] [BYPRODUCTS file...]
#                     [CMAKE_COMMAND command...] [CMAKE_ARGS arg...])
# Configures this project in DIR with CMAKE_ARGS (through CMAKE_COMMAND, if
# given: emcmake, say) and builds TARGETS there (everything by default). A
# list inside one of CMAKE_ARGS is written with | between its items.
function(vorl_external_build name)
  cmake_parse_arguments(PARSE_ARGV 1 _ext "" "DIR" "TARGETS;BYPRODUCTS;CMAKE_COMMAND;CMAKE_ARGS")
  set(_build ${CMAKE_COMMAND} --build <BINARY_DIR> -j2)
  if(_ext_TARGETS)
    list(APPEND _build --target ${_ext_TARGETS})
  endif()
  # This build's compiler launcher (ccache, say) goes first: CMAKE_ARGS may
  # name another.
  if(CMAKE_CXX_COMPILER_LAUNCHER)
    string(JOIN "|" _launcher ${CMAKE_CXX_COMPILER_LAUNCHER})
    list(PREPEND _ext_CMAKE_ARGS -DCMAKE_CXX_COMPILER_LAUNCHER=${_launcher})
  endif()
  if(NOT _ext_CMAKE_COMMAND)
    set(_ext_CMAKE_COMMAND ${CMAKE_COMMAND})
  endif()
  ExternalProject_Add(${name}
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${_ext_DIR}
    CMAKE_COMMAND ${_ext_CMAKE_COMMAND}
    CMAKE_ARGS ${_ext_CMAKE_ARGS}
    LIST_SEPARATOR |
    BUILD_COMMAND ${_build}
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${_ext_BYPRODUCTS}
    USES_TERMINAL_BUILD ON
    LOG_CONFIGURE ON LOG_BUILD ON LOG_OUTPUT_ON_FAILURE ON)
  ExternalProject_Add_StepDependencies(${name} build ${VORL_EXTERNAL_INPUTS})
endfunction()
