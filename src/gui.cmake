# SPDX-License-Identifier: GPL-3.0-or-later
# torvo_gui: every window and dialog, and the torvo program.
set(CMAKE_AUTOMOC ON)

# The main window and its document in app/; every area's windows in a qt/
# folder beside its rules.
add_library(torvo_gui STATIC)
torvo_folder_sources(torvo_gui
  app
  model/editing/qt
  model/deskset/qt
  model/paging/qt
  transfer/qt
)
qt_add_resources(torvo_gui torvo_resources
  PREFIX "/"
  BASE resources
  FILES
    resources/icons/toolbar/new.svg
    resources/icons/toolbar/download.svg
    resources/icons/toolbar/open.svg
    resources/icons/toolbar/save.svg
    resources/icons/toolbar/upload.svg
    resources/icons/toolbar/help.svg
    resources/icons/torvo.svg
    resources/icons/torvo-16.png
    resources/icons/torvo-32.png
    resources/icons/torvo-48.png
    resources/icons/tree/item.svg
    resources/icons/tree/overlay-disabled.svg
    resources/icons/tree/state-closed.svg
    resources/icons/tree/state-open.svg
    resources/icons/tree/state-unavailable.svg
    resources/splash/splash.png
    resources/help/contents.html
    resources/help/main-window.html
    resources/help/database-files.html
    resources/help/configuration-tree.html
    resources/help/transfer.html
    resources/help/about.html
    resources/help/139.html
    resources/help/83.html
    resources/help/125.html
    resources/help/126.html
    resources/help/129.html
    resources/help/75.html
    resources/help/114.html
    resources/help/102.html
    resources/help/188.html
    resources/help/186.html
    resources/help/187.html
    resources/help/45.html
    resources/help/77.html
    resources/help/72.html
    resources/help/74.html
    resources/help/76.html
    resources/help/106.html
    resources/help/107.html
    resources/help/105.html
    resources/help/108.html
    resources/help/109.html
    resources/help/131.html
    resources/help/132.html
    resources/help/133.html
    resources/help/134.html
    resources/help/136.html
    resources/help/141.html
    resources/help/142.html
    resources/help/143.html
    resources/help/156.html
    resources/help/157.html
    resources/help/158.html
    resources/help/159.html
    resources/help/160.html
    resources/help/161.html
    resources/help/162.html
    resources/help/165.html
    resources/help/166.html
    resources/help/167.html
    resources/help/168.html
    resources/help/169.html
)
target_include_directories(torvo_gui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(torvo_gui PUBLIC torvo_model torvo_transfer torvo_settings torvo_version Qt6::Widgets Qt6::Svg)

# On X11 the status bar reads the lock keys through the X keyboard extension
# (libX11); without its headers it falls back to the keyboard LEDs.
find_package(X11)
if(X11_FOUND AND X11_Xkb_FOUND)
  target_link_libraries(torvo_gui PRIVATE X11::X11)
  target_compile_definitions(torvo_gui PRIVATE TORVO_HAVE_XKB)
endif()

add_executable(torvo main.cpp)
target_link_libraries(torvo PRIVATE torvo_gui deskset_sim)
install(TARGETS torvo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Desktop integration: a menu entry, the .ddb file type, icons and a
# new-document template. Installed with the program; nothing is written into
# the user's folders at start-up.
set(TORVO_ICON_DIR ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES resources/desktop/torvo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/desktop/torvo-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
foreach(size 16 32 48 128 256)
  install(FILES resources/icons/torvo-${size}.png
          DESTINATION ${TORVO_ICON_DIR}/${size}x${size}/apps RENAME torvo.png)
endforeach()
install(FILES resources/icons/torvo.svg DESTINATION ${TORVO_ICON_DIR}/scalable/apps)
install(FILES resources/icons/application-x-torvo-database.svg
        DESTINATION ${TORVO_ICON_DIR}/scalable/mimetypes)

# The template is a new database, made by the program's own defaults.
set(TORVO_TEMPLATE ${CMAKE_CURRENT_BINARY_DIR}/TorvoDbase.ddb)
add_custom_command(OUTPUT ${TORVO_TEMPLATE}
                   COMMAND torvo-cli new --force ${TORVO_TEMPLATE}
                   DEPENDS torvo-cli
                   COMMENT "Writing the new-database template")
add_custom_target(torvo_template ALL DEPENDS ${TORVO_TEMPLATE})
install(FILES resources/desktop/TorvoDbase.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/templates)
install(FILES ${TORVO_TEMPLATE} DESTINATION ${CMAKE_INSTALL_DATADIR}/templates/.source)

install(CODE "
  if(NOT DEFINED ENV{DESTDIR} OR \"\$ENV{DESTDIR}\" STREQUAL \"\")
    find_program(UPDATE_MIME update-mime-database)
    if(UPDATE_MIME)
      execute_process(COMMAND \${UPDATE_MIME} \${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/mime)
    endif()
    find_program(UPDATE_DESKTOP update-desktop-database)
    if(UPDATE_DESKTOP)
      execute_process(COMMAND \${UPDATE_DESKTOP} \${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications)
    endif()
  endif()
")
