# SPDX-License-Identifier: MIT
# Puts one build of the browser version into its site (cmake -P):
#   -DSITE=folder -DBUILD=folder -DINDEX=index.html.in -DWORKER=sw.js.in
#   [-DKEEP_OLD_BUILDS=ON]
# BUILD's files (the game, the page's modules and style) are copied to
# SITE/<hash>/, the hash of everything this build serves; index.html and the
# service worker are written from their templates to load that folder. The
# manifest and the icons stay at SITE's root, shared by every build. A page
# only ever asks for files of the build it began with, so a host keeps the
# folders of older builds (KEEP_OLD_BUILDS) for pages still open; without it
# the folders of other builds are removed.
file(GLOB _build_files RELATIVE ${BUILD} LIST_DIRECTORIES false ${BUILD}/*)
file(GLOB _root_files RELATIVE ${SITE} ${SITE}/*.webmanifest ${SITE}/*.png ${SITE}/*.svg)
list(SORT _build_files)
list(SORT _root_files)
set(_hashes "")
foreach(_file IN LISTS _build_files)
  file(SHA256 ${BUILD}/${_file} _hash)
  string(APPEND _hashes "build/${_file} ${_hash}\n")
endforeach()
foreach(_file IN LISTS _root_files)
  file(SHA256 ${SITE}/${_file} _hash)
  string(APPEND _hashes "${_file} ${_hash}\n")
endforeach()
foreach(_template IN ITEMS ${INDEX} ${WORKER})
  file(SHA256 ${_template} _hash)
  string(APPEND _hashes "${_template} ${_hash}\n")
endforeach()
# The page's policy lets no script evaluate text.
file(STRINGS ${BUILD}/vorl.js _evaluating REGEX "[^a-zA-Z_.]eval\\(|new Function")
if(_evaluating)
  message(FATAL_ERROR "vorl.js evaluates text, which the page's policy blocks: ${_evaluating}")
endif()
string(SHA256 _digest "${_hashes}")
string(SUBSTRING ${_digest} 0 16 VORL_BUILD)

if(NOT KEEP_OLD_BUILDS)
  file(GLOB _folders RELATIVE ${SITE} LIST_DIRECTORIES true ${SITE}/*)
  foreach(_folder IN LISTS _folders)
    if(_folder MATCHES "^[0-9a-f]+$" AND IS_DIRECTORY ${SITE}/${_folder}
       AND NOT _folder STREQUAL VORL_BUILD)
      file(REMOVE_RECURSE ${SITE}/${_folder})
    endif()
  endforeach()
endif()

list(TRANSFORM _build_files PREPEND ${BUILD}/ OUTPUT_VARIABLE _sources)
file(COPY ${_sources} DESTINATION ${SITE}/${VORL_BUILD})
# What the service worker keeps: the page's folder itself, then every file.
list(TRANSFORM _build_files PREPEND ${VORL_BUILD}/)
list(JOIN _build_files "," _build_list)
list(JOIN _root_files "," _root_list)
set(VORL_SITE_FILES "./,index.html,${_root_list},${_build_list}")
configure_file(${INDEX} ${SITE}/index.html @ONLY)
configure_file(${WORKER} ${SITE}/sw.js @ONLY)
file(TOUCH ${SITE}/sw.js)
