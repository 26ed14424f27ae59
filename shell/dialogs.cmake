# The about box and the Preferences dialog, kept apart from the rest of the
# shell so the toolkit's tests can build them on their own. Included from
# shell/CMakeLists.txt and tests/toolkit/CMakeLists.txt; defined once.
if(NOT TARGET numera_dialogs)
  add_library(numera_dialogs STATIC
    "${CMAKE_SOURCE_DIR}/shell/CCalcAboutDialog.cpp"
    "${CMAKE_SOURCE_DIR}/shell/CCalcAboutDialog.h"
    "${CMAKE_SOURCE_DIR}/shell/CCalcPreferences.cpp"
    "${CMAKE_SOURCE_DIR}/shell/CCalcPreferences.h"
  )
  target_include_directories(numera_dialogs PUBLIC "${PROJECT_SOURCE_DIR}")
  target_link_libraries(numera_dialogs PUBLIC numera_shell_core numera_toolkit numera_engine Qt6::Widgets)
  set_target_properties(numera_dialogs PROPERTIES AUTOMOC ON)
endif()
