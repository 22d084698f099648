# Run first by the install step: notes which of the folders the install puts
# files in, and of those above them up to the prefix, exist already
# (BROTALIA_PASTAS_ANTES, written beside the manifest at the end). The
# uninstall removes only the folders the install made and left empty. The
# folders of each origin (the build's program folder, its icons) are also
# those of its destination (the same number of each is given); an install over an earlier copy keeps the earlier's list.
set(_raiz "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(_registro "${_raiz}/${BROTALIA_PROGRAMA}/install_folders_before.txt")
if(EXISTS "${_registro}")
  file(STRINGS "${_registro}" BROTALIA_PASTAS_ANTES)
  return()
endif()
set(_destinos ${BROTALIA_DESTINOS} ${BROTALIA_OUTROS_DESTINOS})
foreach(_origem _destino IN ZIP_LISTS BROTALIA_ORIGENS BROTALIA_DESTINOS)
  file(GLOB_RECURSE _itens LIST_DIRECTORIES true RELATIVE "${_origem}" "${_origem}/*")
  foreach(_item IN LISTS _itens)
    if(IS_DIRECTORY "${_origem}/${_item}" AND NOT IS_SYMLINK "${_origem}/${_item}")
      list(APPEND _destinos "${_destino}/${_item}")
    endif()
  endforeach()
endforeach()
set(BROTALIA_PASTAS_ANTES)
foreach(_pasta IN LISTS _destinos)
  while(NOT _pasta STREQUAL "" AND NOT _pasta STREQUAL ".")
    if(IS_DIRECTORY "${_raiz}/${_pasta}")
      list(APPEND BROTALIA_PASTAS_ANTES "${CMAKE_INSTALL_PREFIX}/${_pasta}")
    endif()
    get_filename_component(_pasta "${_pasta}" DIRECTORY)
  endwhile()
endforeach()
list(REMOVE_DUPLICATES BROTALIA_PASTAS_ANTES)
