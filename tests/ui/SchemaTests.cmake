# The schema overview with its page, and the expression builder window.
target_sources(ui_tests PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/SchemaPageTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SchemaWindowTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ExpressionBuilderWindowTest.cpp
)
