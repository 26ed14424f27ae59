# Installation into the usual places and the Debian package built from it
# (cpack -G DEB in the build folder).
include(GNUInstallDirs)

install(TARGETS numera-cli RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
install(FILES "${PROJECT_SOURCE_DIR}/man/numera-cli.1" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")

if(NUMERA_BUILD_GUI)
  install(TARGETS numera RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
  install(FILES "${PROJECT_SOURCE_DIR}/man/numera.1" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
  # The Russian set of "/lang ru", where the program looks when it is not
  # beside it: ../share/numera/translations from bin/.
  if(TARGET numera_translations)
    install(FILES "${NUMERA_TRANSLATIONS_DIR}/numera_ru.qm" "${NUMERA_TRANSLATIONS_DIR}/qtbase_ru.qm"
            DESTINATION "${CMAKE_INSTALL_DATADIR}/numera/translations")
  endif()
  # The help window looks for the manual beside the program.
  install(FILES "${NUMERA_HELP_FILE}" DESTINATION "${CMAKE_INSTALL_BINDIR}")

  # The same template the program fills in for the user's own entry; the
  # installed one finds the program on the PATH.
  set(NUMERA_EXEC numera)
  configure_file("${PROJECT_SOURCE_DIR}/resources/desktop/numera.desktop.in"
                 "${PROJECT_BINARY_DIR}/numera.desktop" @ONLY)
  install(FILES "${PROJECT_BINARY_DIR}/numera.desktop"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
  install(FILES "${PROJECT_SOURCE_DIR}/resources/desktop/numera.xml"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages")
  set(_icons "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable")
  install(FILES "${PROJECT_SOURCE_DIR}/resources/artwork/128.svg"
          DESTINATION "${_icons}/apps" RENAME numera.svg)
  foreach(type calculation memory)
    install(FILES "${PROJECT_SOURCE_DIR}/resources/desktop/document.svg"
            DESTINATION "${_icons}/mimetypes" RENAME application-x-tarvik-${type}.svg)
  endforeach()
endif()

set(CPACK_PACKAGE_NAME numera)
set(CPACK_PACKAGE_VENDOR "Tarvik")
set(CPACK_PACKAGE_CONTACT "Numera developers <numera@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keyboard-first text calculator")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Numera calculates arithmetic typed into a plain text editor: the text is a\n"
  "sequence of cells separated by semicolons, and calculating a cell of the\n"
  "form 'expression = result' writes the new result after its last equals sign.\n"
  "It has decimal numbers, powers, some thirty elementary functions, angles in\n"
  "radians, degrees or grads, named memory cells and a log of every numeric\n"
  "anomaly. The package holds the window program (numera) and the command-line\n"
  "calculator (numera-cli).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Depends comes from dpkg-shlibdeps over the installed programs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The help window keeps its index in SQLite through Qt's driver plugin,
# which dpkg-shlibdeps cannot see.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    "${PROJECT_SOURCE_DIR}/cmake/debian/postinst;${PROJECT_SOURCE_DIR}/cmake/debian/postrm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
