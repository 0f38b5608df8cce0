# SPDX-License-Identifier: MIT
# The browser version's static site in ${CMAKE_BINARY_DIR}/site: index.html,
# the manifest, the web app's icons rendered from the desktop icon, sw.js,
# the service worker that keeps the site for offline play, and a folder named
# after the build's hash with the game (vorl.js and vorl.wasm, linked into
# site-build/ by the vorl-web target), the page's modules and its style
# (site_build.cmake).

find_program(VORL_RSVG_CONVERT rsvg-convert)
if(NOT VORL_RSVG_CONVERT)
  message(FATAL_ERROR "The web app's icons need rsvg-convert (Debian: librsvg2-bin)")
endif()

set(_site ${CMAKE_BINARY_DIR}/site)
set(_build ${CMAKE_BINARY_DIR}/site-build)
# Made here, not left to the vorl-web target's output folder: Make, unlike
# Ninja, makes no folder for a step's outputs.
file(MAKE_DIRECTORY ${_site} ${_build})
set(_page_sources ${PROJECT_SOURCE_DIR}/src/web/site)
set(_icon ${PROJECT_SOURCE_DIR}/packaging/icons/${VORL_APP_ID}.svg)
# The backdrop of the page, under the maskable icon's safe circle.
set(_icon_backdrop "#5a6470")

file(GLOB _page_files CONFIGURE_DEPENDS ${_page_sources}/*.js ${_page_sources}/*.css)
set(_site_outputs)
foreach(_file IN LISTS _page_files ITEMS ${_page_sources}/manifest.webmanifest)
  get_filename_component(_name ${_file} NAME)
  set(_to ${_build})
  if(_name STREQUAL "manifest.webmanifest")
    set(_to ${_site})
  endif()
  add_custom_command(OUTPUT ${_to}/${_name}
    COMMAND ${CMAKE_COMMAND} -E copy ${_file} ${_to}/${_name}
    DEPENDS ${_file} VERBATIM)
  list(APPEND _site_outputs ${_to}/${_name})
endforeach()

add_custom_command(OUTPUT ${_site}/icon.svg
  COMMAND ${CMAKE_COMMAND} -E copy ${_icon} ${_site}/icon.svg
  DEPENDS ${_icon} VERBATIM)
foreach(_size 192 512)
  add_custom_command(OUTPUT ${_site}/icon-${_size}.png
    COMMAND ${VORL_RSVG_CONVERT} -w ${_size} -h ${_size} ${_icon} -o ${_site}/icon-${_size}.png
    DEPENDS ${_icon} VERBATIM)
endforeach()
# A maskable icon is cut to a shape of the system's choosing: the table
# stays within the middle 80 % circle that every shape keeps, on the backdrop.
add_custom_command(OUTPUT ${_site}/icon-maskable.png
  COMMAND ${VORL_RSVG_CONVERT} -w 336 -h 336 --left 88 --top 88 --page-width 512
          --page-height 512 --background-color ${_icon_backdrop} ${_icon}
          -o ${_site}/icon-maskable.png
  DEPENDS ${_icon} VERBATIM)
list(APPEND _site_outputs ${_site}/icon.svg ${_site}/icon-192.png ${_site}/icon-512.png
     ${_site}/icon-maskable.png)

add_custom_command(OUTPUT ${_site}/sw.js
  COMMAND ${CMAKE_COMMAND} -DSITE=${_site} -DBUILD=${_build}
          -DINDEX=${_page_sources}/index.html.in -DWORKER=${_page_sources}/sw.js.in
          -P ${PROJECT_SOURCE_DIR}/cmake/site_build.cmake
  DEPENDS ${_site_outputs} vorl-web $<TARGET_FILE:vorl-web> ${_page_sources}/index.html.in
          ${_page_sources}/sw.js.in ${PROJECT_SOURCE_DIR}/cmake/site_build.cmake
  VERBATIM)
add_custom_target(vorl-site ALL DEPENDS ${_site}/sw.js)
