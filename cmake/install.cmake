# SPDX-License-Identifier: MIT
# What `cmake --install` puts in place and `cpack` packs as a .deb: the game
# where Debian keeps games, its menu entry, icons, metainfo, manual page,
# copyright and changelog.
include(GNUInstallDirs)
set(VORL_INSTALL_GAMESDIR games CACHE PATH "Where the game goes, under the prefix")
set(VORL_PACKAGE darvos-vorl-hall)
set(_packaging ${PROJECT_SOURCE_DIR}/packaging)

# The manual page and the changelog are installed gzipped at the highest
# level and without a time stamp, so that the package is reproducible.
find_program(VORL_GZIP gzip REQUIRED)
set(_gzipped)
foreach(_file vorl.6 changelog)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/${_file}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND ${VORL_GZIP} -9nc ${_packaging}/${_file} > ${CMAKE_BINARY_DIR}/packaging/${_file}.gz
    DEPENDS ${_packaging}/${_file} VERBATIM)
  list(APPEND _gzipped ${CMAKE_BINARY_DIR}/packaging/${_file}.gz)
endforeach()
add_custom_target(vorl_packaging_files ALL DEPENDS ${_gzipped})

install(TARGETS vorl RUNTIME DESTINATION ${VORL_INSTALL_GAMESDIR})
install(FILES ${_packaging}/${VORL_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_packaging}/${VORL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${_packaging}/icons/${VORL_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(_size 16 22 24 32 48 64 128 256)
  install(FILES ${_packaging}/icons/${_size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps
          RENAME ${VORL_APP_ID}.png)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/packaging/vorl.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${_packaging}/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${VORL_PACKAGE})

# `cpack` in the build folder makes the .deb. The Qt libraries come from
# dpkg-shlibdeps; the X11 platform plugin is loaded at run time, so no
# linker record names it and it is listed by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${VORL_PACKAGE})
set(CPACK_PACKAGE_VENDOR "The Darvo's Vorl Hall developers")
set(CPACK_PACKAGE_CONTACT "The Darvo's Vorl Hall developers <developers@darvosvorlhall.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# The summary goes before the description as its first line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "A pocket-billiards table for two players who share one mouse. The cue
line runs from the cue ball to the pointer, and a press strikes: the
farther the pointer, the harder the stroke. Sixteen balls roll, slow
down, bounce off the rail, knock into each other and drop into six
pockets. A player keeps the table until pocketing the cue ball; the
score panel counts each player's pocketed balls and strokes.")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
