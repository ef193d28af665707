# Installing Telefika as a desktop program: the program, its menu entry, its icon
# in the hicolor theme and its AppStream metainfo, all under one application id;
# its licence, changelog and manual pages; a Debian package made by CPack from
# the same rules; and the checks of both.

include(GNUInstallDirs)

set(TELEFIKA_APP_ID tr.com.telefika.Telefika)
set(TELEFIKA_ICON_SIZES 16 22 24 32 48 64 128 256)

install(TARGETS telefika RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES resources/desktop/${TELEFIKA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/desktop/${TELEFIKA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES resources/icons/telefika.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${TELEFIKA_APP_ID}.svg)
foreach(size ${TELEFIKA_ICON_SIZES})
  install(FILES resources/icons/telefika-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${TELEFIKA_APP_ID}.png)
endforeach()

# What a Debian user looks for beside the program (packaging/): the copyright
# file in the machine-readable format, the changelog and the manual pages, the
# last two compressed as Debian wants them (gzip -9n: the best compression, no
# name or time stamp in the header, so the same source gives the same bytes).
set(TELEFIKA_COMPRESSED_DOCS)
function(telefika_gzip source output)
  get_filename_component(folder ${CMAKE_BINARY_DIR}/${output} DIRECTORY)
  file(MAKE_DIRECTORY ${folder})
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${output}
                     COMMAND sh -c "gzip -9n -c \"$0\" >\"$1\"" ${CMAKE_SOURCE_DIR}/${source}
                             ${CMAKE_BINARY_DIR}/${output}
                     DEPENDS ${CMAKE_SOURCE_DIR}/${source} VERBATIM)
  set(TELEFIKA_COMPRESSED_DOCS ${TELEFIKA_COMPRESSED_DOCS} ${CMAKE_BINARY_DIR}/${output} PARENT_SCOPE)
endfunction()
telefika_gzip(packaging/changelog packaging/changelog.gz)
install(FILES packaging/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
# man looks for a page first below share/man/<language>/ of the user's locale,
# then in share/man/ itself. The Turkish page is the one in share/man/man1, as
# everything else the program says is Turkish; the English page, in
# share/man/en/man1, is the one a user of an English locale gets.
telefika_gzip(packaging/man/telefika.1 packaging/man/man1/telefika.1.gz)
telefika_gzip(packaging/man/telefika.en.1 packaging/man/en/man1/telefika.1.gz)
install(FILES ${CMAKE_BINARY_DIR}/packaging/man/man1/telefika.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/packaging/man/en/man1/telefika.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/en/man1)
add_custom_target(telefika_docs ALL DEPENDS ${TELEFIKA_COMPRESSED_DOCS})

# `cpack -G DEB` in the build folder makes telefika_2.0_amd64.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME telefika)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Telefika")
set(CPACK_PACKAGE_CONTACT "Telefika <destek@telefika.com.tr>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Turkish desktop phone book")
# Debian's lines of a description hold at most 80 characters: these are
# kept under 72, as dpkg shows them indented.
set(CPACK_PACKAGE_DESCRIPTION
    "Telefika 2003 keeps contacts (a name, a surname and a mobile number of
up to eleven digits) in named groups and writes every change to disk at
once. It finds a contact by name or by number, shows a group by initial
letter, merges, takes in, backs up and prints groups. Every caption and
message is in Turkish.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.telefika.com.tr/")
# The dependencies come from the libraries the program links (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What the windows need to look and read as intended, which no library link
# shows: the fonts the program names (Liberation Sans, and Z003 for the version
# caption, which a wider fallback cuts short) and Qt's own texts in Turkish.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, fonts-urw-base35, qt6-translations-l10n")
include(CPack)

# The checks: the entry, the metainfo and the manual pages as written, the installed
# tree and the package.
foreach(check desktop-entry metainfo manual installed-tree package)
  add_test(NAME install_${check}
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install/check.sh ${check}
                   ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR} ${TELEFIKA_APP_ID} ${TELEFIKA_ICON_SIZES})
  set_tests_properties(install_${check} PROPERTIES TIMEOUT 300)
endforeach()
