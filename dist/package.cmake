# The Debian package: `cmake --build build --target package` makes nimbara_<version>_amd64.deb
# from the installation rules, with the libraries it needs found by dpkg-shlibdeps. Included
# by dist/CMakeLists.txt; CPack runs every install rule of the project.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME nimbara)
set(CPACK_PACKAGE_VENDOR Tolvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${NIMBARA_DEB_RELEASE})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${NIMBARA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${NIMBARA_HOME_URL}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What no library link names: the CHM decoder, which the program loads at run time so that it
# can go on without help when it is missing; Qt's X11 platform plugin; Qt SQL's SQLite driver,
# a plugin through which the learning record reads and writes its file (without it every round
# would meet "Driver not loaded"); a font for the texts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libmspack0 (>= 0.10), qt6-qpa-plugins, libqt6sql6-sqlite, fonts-dejavu-core | fonts-liberation2")
# The first line is the synopsis; CPack indents the lines after it, and an empty one becomes the
# paragraph break.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "trainer for weather observers: clouds, sea ice and sea state
Nimbara trains weather observers in three classification schemes of
meteorological observation through photo games: the low, middle and high
cloud codes, the types of sea ice, and the state of the sea on the Beaufort
scale. A reference shelf of help books covers every cloud code figure.

Training organisations bring their own photos with nimbara-import, and copy
every trainee's learning record to a PostgreSQL server of theirs with
nimbara-record.")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
