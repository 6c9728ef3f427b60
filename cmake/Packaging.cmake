# A Debian package of the installed program. Its dependencies are worked out by dpkg-shlibdeps from the
# shared libraries the program really links, so they follow whatever Qt the machine builds against.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mivo)
set(CPACK_PACKAGE_VENDOR "The Mivo developers")
set(CPACK_PACKAGE_CONTACT "The Mivo developers <mivo@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Launcher for the ZSNES Super Nintendo emulator")
set(CPACK_PACKAGE_DESCRIPTION
    "Mivo sets ZSNES options on a tabbed window, shows the exact command line they produce, and starts the emulator with a chosen ROM.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://example.org/mivo")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
