# A Debian package of the installed program. Its dependencies are worked out by dpkg-shlibdeps from the
# shared libraries the program really links, so they follow whatever Qt the machine builds against.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mivo)
set(CPACK_PACKAGE_VENDOR "The Mivo developers")
set(CPACK_PACKAGE_CONTACT "The Mivo developers <mivo@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Launcher for the ZSNES Super Nintendo emulator")
# The extended description, in lines within 80 columns, the width Debian's tools show them at.
set(CPACK_PACKAGE_DESCRIPTION "Mivo sets ZSNES options on a tabbed window, shows the exact command line
they produce, and starts the emulator with a chosen ROM.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${PROJECT_HOMEPAGE_URL}")
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Debian files emulators and the tools around them under "otherosfs"; "games" is for the games
# themselves, whose programs live in /usr/games.
set(CPACK_DEBIAN_PACKAGE_SECTION otherosfs)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)

# The licence in Debian's machine-readable form, the changelog and the manual page, gzipped as Debian's
# own tools do (-9, no name or time stamp inside, so the package is the same on every build).
file(READ "${PROJECT_SOURCE_DIR}/LICENSE" mivo_license)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" mivo_copyright_line "${mivo_license}")
set(mivo_copyright_holder "${CMAKE_MATCH_1}")
string(REGEX REPLACE "^[^\n]*\n\n[^\n]*\n\n" "" mivo_license_text "${mivo_license}")
string(STRIP "${mivo_license_text}" mivo_license_text)
string(REGEX REPLACE "\n\n" "\n.\n" mivo_license_text "${mivo_license_text}")
string(REGEX REPLACE "\n" "\n " mivo_license_text "${mivo_license_text}")
file(WRITE "${PROJECT_BINARY_DIR}/copyright"
     "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: mivo
Source: ${PROJECT_HOMEPAGE_URL}

Files: *
Copyright: ${mivo_copyright_holder}
License: Expat
 ${mivo_license_text}
")

configure_file("${PROJECT_SOURCE_DIR}/resources/changelog.in" changelog @ONLY)
configure_file("${PROJECT_SOURCE_DIR}/resources/mivo.1" mivo.1 @ONLY)
foreach(mivo_doc changelog mivo.1)
    add_custom_command(OUTPUT ${mivo_doc}.gz
                       COMMAND gzip -9n -c ${mivo_doc} > ${mivo_doc}.gz
                       DEPENDS ${PROJECT_BINARY_DIR}/${mivo_doc}
                       WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
                       VERBATIM)
endforeach()
add_custom_target(mivo_docs ALL DEPENDS ${PROJECT_BINARY_DIR}/changelog.gz ${PROJECT_BINARY_DIR}/mivo.1.gz)

install(FILES ${PROJECT_BINARY_DIR}/copyright ${PROJECT_BINARY_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/mivo)
install(FILES ${PROJECT_BINARY_DIR}/mivo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
