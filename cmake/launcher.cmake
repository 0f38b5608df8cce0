# SPDX-License-Identifier: MIT
# vorl_launcher(TARGET NAME RUNNER...) makes ${CMAKE_BINARY_DIR}/NAME, a shell
# script that runs TARGET's program through the command RUNNER (node, or the
# emulator a toolchain file names; with no RUNNER, directly). It is copied in
# place whenever TARGET is linked, which its template's changes also cause.
# (It cannot be a build output of its own: NAME may be the target's, which
# the build already uses.)
function(vorl_launcher target name)
  set(RUNNER "")
  foreach(_word IN LISTS ARGN)
    string(REPLACE "'" "'\\''" _word "${_word}")
    string(APPEND RUNNER "'${_word}' ")
  endforeach()
  get_target_property(PROGRAM ${target} OUTPUT_NAME)
  if(NOT PROGRAM)
    set(PROGRAM ${target})
  endif()
  string(APPEND PROGRAM ${CMAKE_EXECUTABLE_SUFFIX})
  set(_launcher ${CMAKE_CURRENT_BINARY_DIR}/CMakeFiles/${name}.launcher)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/launcher.sh.in ${_launcher} @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                  GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${_launcher})
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy ${_launcher} ${CMAKE_BINARY_DIR}/${name}
    VERBATIM)
endfunction()
