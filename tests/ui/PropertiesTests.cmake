# The properties window, the comment builder, the settings dialog and the event-log viewer, in
# an executable of their own so that they run beside the other window tests.
trevalon_add_test(properties_ui_tests LABEL gui
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/GuiTestMain.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BlockPropertiesTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FactorialDrawingTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TFBudujKomentarzTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TFUstawieniaTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TFWlasnosciTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TFZdarzeniaTest.cpp
  LIBS trevalon_ui Qt6::Test)
target_compile_definitions(properties_ui_tests PRIVATE
  TREVALON_SCREENSHOT_DIR="${CMAKE_BINARY_DIR}/screenshots")
