# Keypad tests, offscreen on a desktop-sized screen (a stored keypad font is
# kept within the screen), with the settings in a temporary directory.
foreach(name keypad keypad_appearance)
  numera_add_qt_test(tst_${name} TEST panels_${name}
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_${name}.cpp ${CMAKE_CURRENT_LIST_DIR}/tst_keypad_support.h
    LIBS numera_panels Qt6::Widgets
    ENVIRONMENT "${NUMERA_OFFSCREEN_DESKTOP}")
endforeach()
