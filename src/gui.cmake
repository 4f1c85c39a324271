# torvo_gui: every window and dialog, and the torvo program.
set(CMAKE_AUTOMOC ON)

add_library(torvo_gui STATIC
  app/AboutDlg.cpp
  app/CChildFrame.cpp
  app/CConfigTree.cpp
  app/CEditorView.cpp
  app/CMainFrame.cpp
  app/Commands.cpp
  app/CTorvoApp.cpp
  app/CTorvoDoc.cpp
  app/EditorWindows.cpp
  app/HelpWindow.cpp
  app/LockKeyState.cpp
  app/MessageBoxPrompt.cpp
  app/Prompt.cpp
  app/ShortcutsDlg.cpp
  app/SplashScreen.cpp
  app/TorvoSettings.cpp
  transfer/ComPortDialog.cpp
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
)
target_include_directories(torvo_gui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(torvo_gui PUBLIC torvo_model Qt6::Widgets Qt6::Svg)

add_executable(torvo app/main.cpp)
target_link_libraries(torvo PRIVATE torvo_gui)
install(TARGETS torvo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
