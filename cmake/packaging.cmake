# A Debian package of both programs: `cpack -G DEB` in the build folder.
set(CPACK_PACKAGE_NAME seedscape)
set(CPACK_PACKAGE_VENDOR "seedscape developers")
set(CPACK_PACKAGE_CONTACT "seedscape developers <seedscape@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# dpkg-shlibdeps names the libraries the programs link against (Qt, SLEEF,
# libpng); the fonts the window prints with and the platform plugins that
# show it are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-qpa-plugins")
set(CPACK_STRIP_FILES ON)
include(CPack)
