# Debian package: `cpack -G DEB` in the build folder makes tabulist_<version>_<arch>.deb from the
# install rules with the prefix /usr. Staged through DESTDIR, so that the links and the desktop
# entry name /usr and not the staging folder.
set(TABULIST_PACKAGE_MAINTAINER "Tabulist developers <tabulist@example.org>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "tabulist")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_INSTALL_PREFIX "/usr")
set(CPACK_SET_DESTDIR ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "directory lister writing plain-text listings")
set(CPACK_PACKAGE_DESCRIPTION
    "Tabulist turns the contents of a directory into a plain-text listing: names,\n"
    "sizes, dates, times and attributes in chosen columns, filtered by file mask,\n"
    "class and date range, with file counts and totals. The listing can be edited,\n"
    "saved, copied or printed from the window (Tabulist), or written to standard\n"
    "output by the command-line program tabulist-list.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TABULIST_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform plugins at run time, so dpkg-shlibdeps cannot see that the window needs
# them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")

# The Debian-only parts of the staged tree: compressed manual page, copyright and changelog.
set(TABULIST_DEBIAN_DATA ${PROJECT_SOURCE_DIR}/data/debian)
configure_file(${PROJECT_SOURCE_DIR}/cmake/PackageSteps.cmake.in
               ${CMAKE_BINARY_DIR}/PackageSteps.cmake @ONLY)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_BINARY_DIR}/PackageSteps.cmake)

include(CPack)
