# `cmake --install BUILD --prefix DIR` gives
#   DIR/bin/lirava and DIR/bin/lirava-check
#   DIR/share/lirava/book/                        the sample book; both programs look for it here
#                                                 (../share/lirava/book from their own folder)
#   DIR/share/applications/lirava.desktop         the desktop's menu entry
#   DIR/share/icons/hicolor/128x128/apps/lirava.png   the icon, drawn by tools/icon
# and `cpack --config BUILD/CPackConfig.cmake` packs the same tree, under /usr, into a .deb whose
# dependencies come from the libraries the programs link (dpkg-shlibdeps) plus the font.
include(GNUInstallDirs)

install(TARGETS lirava lirava-check RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A first-run marker left in the source tree by a run of the reader is no part of the book.
install(DIRECTORY book/ DESTINATION ${CMAKE_INSTALL_DATADIR}/lirava/book PATTERN ft.xml EXCLUDE)
install(FILES packaging/lirava.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_BINARY_DIR}/packaging/lirava.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lirava)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "reader for an illustrated, narrated English picture book")
set(CPACK_PACKAGE_DESCRIPTION
    "Lirava shows the pages of a picture book for young learners of English, reads every sentence aloud \
with its caption, and turns the pages by itself in auto-play. The sample book, Pip and Biscuit, comes \
with it; lirava-check checks a book folder before it ships.")
set(CPACK_PACKAGE_CONTACT "Lirava developers <lirava@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Opened by path at run time, so no library dependency names it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
include(CPack)
