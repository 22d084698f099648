# Run by the install step: writes the menu's entry with the full path of the
# command under the prefix the install is made to (cmake --install --prefix
# may differ from the configured one) and installs it.
set(BROTALIA_COMANDO "${CMAKE_INSTALL_PREFIX}/${BROTALIA_BINDIR}/brotalia")
string(RANDOM LENGTH 12 _sufixo)
set(_pasta "/tmp/brotalia-atalho-${_sufixo}")
configure_file("${CMAKE_CURRENT_LIST_DIR}/brotalia.desktop.in" "${_pasta}/brotalia.desktop" @ONLY)
file(INSTALL "${_pasta}/brotalia.desktop" DESTINATION "${CMAKE_INSTALL_PREFIX}/${BROTALIA_DATADIR}/applications"
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
file(REMOVE_RECURSE "${_pasta}")
