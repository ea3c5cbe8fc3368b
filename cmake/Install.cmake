# `cmake --install BUILD --prefix DIR` gives
#   DIR/bin/lirava and DIR/bin/lirava-check
#   DIR/bin/lirava-align                          the aligner (tools/align)
#   DIR/bin/lirava-make                           the book maker (its manual page beside the others)
#   DIR/share/lirava/book/                        the sample book; both programs look for it here
#                                                 (../share/lirava/book from their own folder)
#   DIR/share/applications/lirava.desktop         the desktop's menu entry
#   DIR/share/icons/hicolor/128x128/apps/lirava.png   the icon, drawn by tools/icon
#   DIR/share/metainfo/org.example.lirava.metainfo.xml   what software centres show
#   DIR/share/mime/packages/lirava.xml            the file type of a one-file book (*.lirava)
#   DIR/share/man/man1/lirava.1.gz, lirava-check.1.gz
#   DIR/share/man/man1/lirava-align.1.gz
#   DIR/share/doc/lirava/copyright, changelog.gz
# and `cpack --config BUILD/CPackConfig.cmake` packs the same tree, under /usr, into a .deb whose
# dependencies come from the libraries the programs link (dpkg-shlibdeps) plus the font.
include(GNUInstallDirs)

install(TARGETS lirava lirava-check RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS lirava-align RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A first-run marker left in the source tree by a run of the reader is no part of the book, and
# its README is about how the book was made and what the tests rely on: not for readers.
install(DIRECTORY book/ DESTINATION ${CMAKE_INSTALL_DATADIR}/lirava/book PATTERN ft.xml EXCLUDE PATTERN README.md
        EXCLUDE)
install(FILES packaging/lirava.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_BINARY_DIR}/packaging/lirava.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)
install(FILES packaging/org.example.lirava.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# Debian's shared-mime-info trigger rebuilds the type database when the package is installed.
install(FILES packaging/lirava-book.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME lirava.xml)

# Manual pages and the changelog are installed gzipped, without a name or time stamp in the
# header (-n), so that two builds of the same tree give the same package.
find_program(LIRAVA_GZIP gzip REQUIRED)
set(LIRAVA_PACKAGING_OUT ${PROJECT_BINARY_DIR}/packaging)
configure_file(packaging/lirava.1 ${LIRAVA_PACKAGING_OUT}/lirava.1 @ONLY)
configure_file(packaging/lirava-check.1 ${LIRAVA_PACKAGING_OUT}/lirava-check.1 @ONLY)
configure_file(packaging/lirava-align.1 ${LIRAVA_PACKAGING_OUT}/lirava-align.1 @ONLY)
configure_file(packaging/changelog ${LIRAVA_PACKAGING_OUT}/changelog COPYONLY)
set(LIRAVA_GZIPPED)
foreach(file lirava.1 lirava-check.1 lirava-align.1 changelog)
  add_custom_command(OUTPUT ${LIRAVA_PACKAGING_OUT}/${file}.gz
    COMMAND ${LIRAVA_GZIP} -9nkf ${LIRAVA_PACKAGING_OUT}/${file}
    DEPENDS ${LIRAVA_PACKAGING_OUT}/${file})
  list(APPEND LIRAVA_GZIPPED ${LIRAVA_PACKAGING_OUT}/${file}.gz)
endforeach()
add_custom_target(lirava_gzipped_docs ALL DEPENDS ${LIRAVA_GZIPPED})
install(FILES ${LIRAVA_PACKAGING_OUT}/lirava.1.gz ${LIRAVA_PACKAGING_OUT}/lirava-check.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${LIRAVA_PACKAGING_OUT}/lirava-align.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# Named for the package, not for the project (GNUInstallDirs would say doc/Lirava).
install(FILES packaging/copyright ${LIRAVA_PACKAGING_OUT}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/lirava)

# The book maker and its manual page (the aligner's model, which it also needs, is a dependency
# above).
if(TARGET lirava-make)
  install(TARGETS lirava-make RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  configure_file(packaging/lirava-make.1 ${LIRAVA_PACKAGING_OUT}/lirava-make.1 @ONLY)
  add_custom_command(OUTPUT ${LIRAVA_PACKAGING_OUT}/lirava-make.1.gz
    COMMAND ${LIRAVA_GZIP} -9nkf ${LIRAVA_PACKAGING_OUT}/lirava-make.1
    DEPENDS ${LIRAVA_PACKAGING_OUT}/lirava-make.1)
  add_custom_target(lirava_make_manual ALL DEPENDS ${LIRAVA_PACKAGING_OUT}/lirava-make.1.gz)
  install(FILES ${LIRAVA_PACKAGING_OUT}/lirava-make.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lirava)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "reader for an illustrated, narrated English picture book")
# Lines of at most 80 characters, as Debian's tools want them.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Lirava shows the pages of a picture book for young learners of English and\n"
  "reads every sentence aloud: touch a sentence and it lights up, its words\n"
  "appear on a plate beside it and its narration plays. The play button reads\n"
  "the page sentence by sentence and turns to the next page by itself.\n"
  "\n"
  "The sample book, Pip and Biscuit, comes with it: 95 narrated and captioned\n"
  "pages in nine units, with picture cards of words at the end. lirava-check\n"
  "checks a book folder the way the reader will use it before it ships.")
set(CPACK_PACKAGE_CONTACT "Lirava developers <lirava@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Opened by path at run time, so no library dependency names it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
# The programs load ICU when text first needs it, so no library dependency names it either.
string(REGEX MATCH "^[0-9]+" LIRAVA_ICU_MAJOR "${ICU_UC_VERSION}")
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CPACK_DEBIAN_PACKAGE_DEPENDS}, libicu${LIRAVA_ICU_MAJOR}")
# lirava-align opens the acoustic model and the pronouncing dictionary by path.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CPACK_DEBIAN_PACKAGE_DEPENDS}, pocketsphinx-en-us")
# Captions in other scripts are drawn with whatever installed font has their characters; these
# small ones cover Chinese and Japanese, Arabic, Devanagari and Thai.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei, fonts-kacst-one, fonts-lohit-deva, fonts-tlwg-loma-otf")
include(CPack)
