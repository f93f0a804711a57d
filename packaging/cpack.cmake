# The Debian package: its dependencies are read from the libraries the installed programs link,
# so they name the Qt runtime packages of the distribution it is built on.
set(CPACK_PACKAGE_NAME torvanik-testbox)
set(CPACK_PACKAGE_VENDOR "Torvanik")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Bench tool for the Testbox: compose AIS, DSC and NMEA messages, monitor AIS")
set(CPACK_PACKAGE_INSTALL_DIRECTORY torvanik-testbox)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Torvanik Testbox maintainers <testbox@torvanik.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
include(CPack)
