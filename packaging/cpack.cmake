# The packages: a Debian package on Linux, a zip and an NSIS installer for Windows.
set(CPACK_PACKAGE_NAME torvanik-testbox)
set(CPACK_PACKAGE_VENDOR "Torvanik")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Bench tool for the Testbox: compose AIS, DSC and NMEA messages, monitor AIS")
set(CPACK_PACKAGE_INSTALL_DIRECTORY torvanik-testbox)
set(CPACK_STRIP_FILES ON)
if(WIN32)
    # torvanik-testbox-1.0-win64.zip and torvanik-testbox-1.0-win64-setup.exe
    set(CPACK_GENERATOR ZIP NSIS)
    set(CPACK_PACKAGE_FILE_NAME torvanik-testbox-${PROJECT_VERSION}-win64)
    set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/windows/cpackgenerators.cmake)
    set(CPACK_NSIS_DISPLAY_NAME "Torvanik Testbox ${PROJECT_VERSION}")
    set(CPACK_NSIS_PACKAGE_NAME "Torvanik Testbox")
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
    set(CPACK_NSIS_INSTALLED_ICON_NAME torvanik-testbox.exe)
    set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
    # The Start-menu entry starts the tool in the user's documents: it keeps its files in the folder
    # it starts in, and Program Files is not writable.
    set(CPACK_NSIS_CREATE_ICONS_EXTRA "SetOutPath '$DOCUMENTS'
  CreateShortCut '$SMPROGRAMS\\\\$STARTMENU_FOLDER\\\\Torvanik Testbox.lnk' '$INSTDIR\\\\torvanik-testbox.exe'
  CreateShortCut '$SMPROGRAMS\\\\$STARTMENU_FOLDER\\\\Read me.lnk' '$INSTDIR\\\\README.txt'
  SetOutPath '$INSTDIR'")
    set(CPACK_NSIS_DELETE_ICONS_EXTRA "Delete '$SMPROGRAMS\\\\$MUI_TEMP\\\\Torvanik Testbox.lnk'
  Delete '$SMPROGRAMS\\\\$MUI_TEMP\\\\Read me.lnk'")
else()
    # Its dependencies are read from the libraries the installed programs link, so they name the
    # Qt runtime packages of the distribution it is built on.
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Torvanik Testbox maintainers <testbox@torvanik.invalid>")
    set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
endif()
include(CPack)
