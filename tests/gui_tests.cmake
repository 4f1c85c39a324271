# SPDX-License-Identifier: GPL-3.0-or-later
# Widget tests: real windows on Qt's offscreen platform, scripted prompts,
# settings in a temporary location.
set(CMAKE_AUTOMOC ON)
add_library(torvo_gui_test_support STATIC app/GuiTestSupport.cpp)
target_include_directories(torvo_gui_test_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(torvo_gui_test_support PUBLIC torvo_gui Qt6::Test GTest::gmock)

add_executable(torvo_gui_tests
  app/DocumentCommandsTest.cpp
  app/ConfigTreeTest.cpp
  app/MainFrameTest.cpp
  app/CompareDlgTest.cpp
  app/AccessibilityTest.cpp
)
target_link_libraries(torvo_gui_tests PRIVATE torvo_gui_test_support)
gtest_discover_tests(torvo_gui_tests
  PROPERTIES LABELS gui ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
  DISCOVERY_MODE PRE_TEST)
