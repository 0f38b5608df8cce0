# SPDX-License-Identifier: MIT
# Writes the site's service worker from its template (cmake -P):
#   -DSITE=folder -DFILES=a,b,... -DTEMPLATE=sw.js.in
# It precaches FILES, and the page's folder itself, under a cache named after
# the hash of their contents: a build that changes any of them has a cache
# of its own, and one that changes none keeps the cache it had.
string(REPLACE "," ";" _files "${FILES}")
list(SORT _files)
set(_hashes "")
set(VORL_SITE_FILES "./")
foreach(_name IN LISTS _files)
  file(SHA256 ${SITE}/${_name} _hash)
  string(APPEND _hashes "${_name} ${_hash}\n")
  string(APPEND VORL_SITE_FILES ",${_name}")
endforeach()
string(SHA256 _digest "${_hashes}")
string(SUBSTRING ${_digest} 0 16 VORL_SITE_HASH)
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
file(TOUCH ${SITE}/sw.js)
