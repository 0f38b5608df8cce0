# SPDX-License-Identifier: MIT
# The two header-only libraries behind the decimal text: Dragonbox
# (libdragonbox-dev) and fast_float (libfast-float-dev). Only their single
# headers are used, never Dragonbox's prebuilt to_chars library. Each is
# copied into a folder of its own in the build tree, so that no build, a
# cross or a WebAssembly one least of all, is given the host's /usr/include
# with every other header in it.
#
# vorl_decimal_libraries is the interface target that carries that folder.
# VORL_DRAGONBOX_HEADER and VORL_FAST_FLOAT_HEADER name the headers where they
# are not where Debian and Ubuntu put them.

if(NOT VORL_DRAGONBOX_HEADER)
  # The folder carries the version: /usr/include/dragonbox-1.1.3/dragonbox/.
  file(GLOB _dragonbox_headers /usr/include/dragonbox-*/dragonbox/dragonbox.h
       /usr/local/include/dragonbox-*/dragonbox/dragonbox.h)
  list(SORT _dragonbox_headers COMPARE NATURAL ORDER DESCENDING)
  list(POP_FRONT _dragonbox_headers _dragonbox_header)
  set(VORL_DRAGONBOX_HEADER "${_dragonbox_header}" CACHE FILEPATH
      "dragonbox/dragonbox.h of Dragonbox (Debian: libdragonbox-dev)" FORCE)
endif()
find_file(VORL_FAST_FLOAT_HEADER fast_float/fast_float_all.h
          PATHS /usr/include /usr/local/include NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
          DOC "fast_float/fast_float_all.h of fast_float (Debian: libfast-float-dev)")
foreach(_header VORL_DRAGONBOX_HEADER VORL_FAST_FLOAT_HEADER)
  if(NOT EXISTS "${${_header}}")
    message(FATAL_ERROR "The decimal text needs Dragonbox and fast_float (Debian: "
                        "libdragonbox-dev libfast-float-dev); or set ${_header}")
  endif()
endforeach()

set(VORL_DECIMAL_INCLUDE ${CMAKE_BINARY_DIR}/decimal-libraries)
configure_file(${VORL_DRAGONBOX_HEADER} ${VORL_DECIMAL_INCLUDE}/dragonbox/dragonbox.h COPYONLY)
configure_file(${VORL_FAST_FLOAT_HEADER} ${VORL_DECIMAL_INCLUDE}/fast_float/fast_float_all.h
               COPYONLY)
if(NOT TARGET vorl_decimal_libraries)
  add_library(vorl_decimal_libraries INTERFACE)
  # A system folder: their own warnings are theirs, not ours to make errors of.
  target_include_directories(vorl_decimal_libraries SYSTEM INTERFACE ${VORL_DECIMAL_INCLUDE})
endif()
