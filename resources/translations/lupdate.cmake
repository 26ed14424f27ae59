# How lupdate reads the sources, shared by the numera_lupdate target and the
# translations check, which must see the file exactly as the target writes it.
# Locations are left out so that edits elsewhere in a file leave the .ts alone.
find_package(Qt6 QUIET COMPONENTS LinguistTools)
if(TARGET Qt6::lupdate)
  set(NUMERA_LUPDATE "$<TARGET_FILE:Qt6::lupdate>")
else()
  find_program(NUMERA_LUPDATE_PROGRAM NAMES lupdate-qt6 lupdate HINTS /usr/lib/qt6/bin)
  if(NUMERA_LUPDATE_PROGRAM)
    set(NUMERA_LUPDATE "${NUMERA_LUPDATE_PROGRAM}")
  endif()
endif()

set(NUMERA_TS_FILE "${PROJECT_SOURCE_DIR}/resources/translations/numera_ru.ts")
set(NUMERA_LUPDATE_ARGS
  -silent -I . -locations none -no-obsolete -source-language en_US -target-language ru_RU
  toolkit shell document panels resources)
