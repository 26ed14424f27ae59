# Keypad tests, offscreen on a desktop-sized screen (a stored keypad font is
# kept within the screen), with the settings in a temporary directory.
foreach(name keypad keypad_appearance)
  add_executable(tst_${name} ${CMAKE_CURRENT_LIST_DIR}/tst_${name}.cpp
                 ${CMAKE_CURRENT_LIST_DIR}/tst_keypad_support.h)
  target_link_libraries(tst_${name} PRIVATE numera_panels Qt6::Test Qt6::Widgets)
  set_target_properties(tst_${name} PROPERTIES AUTOMOC ON)
  add_test(NAME panels_${name} COMMAND tst_${name})
  set_tests_properties(panels_${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen:configfile=${CMAKE_CURRENT_LIST_DIR}/../shell/offscreen-desktop.json;QT_FONT_DPI=96"
    TIMEOUT 120)
endforeach()

# Shows the keypad and saves pictures of it (tools/screenshot-keypad.sh).
add_executable(keypad_demo ${CMAKE_CURRENT_LIST_DIR}/tst_keypad_demo.cpp)
target_link_libraries(keypad_demo PRIVATE numera_panels Qt6::Widgets)
set_target_properties(keypad_demo PROPERTIES AUTOMOC ON)
