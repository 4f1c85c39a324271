# SPDX-License-Identifier: GPL-3.0-or-later
# What a package installs beside the programs (manual pages, the bash
# completion, the licence and the changelog), and the Debian package itself
# (scripts/package.sh runs cpack).

set(TORVO_MAN_PAGES torvo-cli torvo-deskset-sim)
if(TORVO_BUILD_GUI)
  list(APPEND TORVO_MAN_PAGES torvo)
endif()
set(TORVO_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/torvo)
set(packaging_dir ${CMAKE_BINARY_DIR}/packaging)

# Debian keeps manual pages and changelogs compressed, without a time stamp.
function(torvo_gzip source target)
  add_custom_command(OUTPUT ${target}
                     COMMAND gzip -9nc ${source} > ${target}
                     DEPENDS ${source})
  set_property(GLOBAL APPEND PROPERTY TORVO_GZIPPED ${target})
endfunction()

foreach(page ${TORVO_MAN_PAGES})
  configure_file(man/${page}.1 ${packaging_dir}/${page}.1 @ONLY)
  torvo_gzip(${packaging_dir}/${page}.1 ${packaging_dir}/${page}.1.gz)
  install(FILES ${packaging_dir}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
configure_file(packaging/changelog.in ${packaging_dir}/changelog @ONLY)
torvo_gzip(${packaging_dir}/changelog ${packaging_dir}/changelog.gz)
get_property(gzipped GLOBAL PROPERTY TORVO_GZIPPED)
add_custom_target(torvo_packaging_files ALL DEPENDS ${gzipped})

install(FILES ${packaging_dir}/changelog.gz packaging/copyright DESTINATION ${TORVO_DOC_DIR})
install(FILES completion/torvo-cli DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME torvo)
set(CPACK_PACKAGE_VERSION ${TORVO_VERSION})
set(CPACK_PACKAGE_VENDOR Zelnor)
set(CPACK_PACKAGE_CONTACT "Zelnor <torvo@zelnor.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration program for Velk Series dispatch desksets")
# The summary comes first; CPack indents these lines and marks the empty one.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Torvo creates, edits, saves and opens the configuration databases of\n"
    "Velk Series four-channel radio dispatch desksets, and downloads them from\n"
    "or uploads them to a deskset over a serial cable or a serial device server.\n"
    "\n"
    "The package holds the desktop program (torvo), torvo-cli for the same work\n"
    "from a shell, including provisioning many desksets at once, and\n"
    "torvo-deskset-sim, a simulated deskset for tests and demonstrations.")
string(JOIN "" CPACK_DEBIAN_PACKAGE_DESCRIPTION ${CPACK_DEBIAN_PACKAGE_DESCRIPTION})
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_SOURCE_DIR}/packaging/postinst ${CMAKE_CURRENT_SOURCE_DIR}/packaging/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_PREFIX /usr)
# Installed through DESTDIR, so that the install step leaves the system's
# MIME and desktop databases alone; the maintainer scripts update them.
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/dist)
include(CPack)
