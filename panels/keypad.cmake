# The keypad: its buttons, their drawing, layout and settings.
target_sources(numera_panels PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/CCalcKeyPad.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CCalcKeyPad.h
  ${CMAKE_CURRENT_LIST_DIR}/CColorButton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CColorButton.h
  ${CMAKE_CURRENT_LIST_DIR}/KeypadLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeypadLayout.h
  ${CMAKE_CURRENT_LIST_DIR}/KeypadPainter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeypadPainter.h
  ${CMAKE_CURRENT_LIST_DIR}/KeypadSettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeypadSettings.h
  ${CMAKE_CURRENT_LIST_DIR}/KeypadTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeypadTable.h
)
