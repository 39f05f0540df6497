# The properties window, the comment builder, the settings dialog and the event-log viewer.
target_sources(trevalon_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/BlockProperties.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PropertyEdits.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CompanionWindows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/DialogParts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PropertyWidgets.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFBudujKomentarz.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFUstawienia.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFWlasnosci.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TFZdarzenia.cpp
)
