# Installation and the Debian package.
#
# The program finds its tile pictures and its shipped word list in folders
# beside its own file (it reads its location from /proc/self/exe), so it
# lives with them in a private folder, <prefix>/lib/vorpanta, and
# <prefix>/bin/vorpanta is a relative symbolic link to it. The kernel resolves
# the link, so the program still sees the private folder as its own.
#
#   <prefix>/bin/vorpanta -> ../lib/vorpanta/vorpanta
#   <prefix>/lib/vorpanta/vorpanta, Ico/*.bmp, dictionary/
#   <prefix>/share/applications/io.github.vorpanta.Vorpanta.desktop
#   <prefix>/share/metainfo/io.github.vorpanta.Vorpanta.metainfo.xml
#   <prefix>/share/icons/hicolor/*/apps/io.github.vorpanta.Vorpanta.{png,svg}
#   <prefix>/share/doc/vorpanta/ LICENSE, copyright, fonts/, dictionary/

include(GNUInstallDirs)

set(VORPANTA_APP_ID io.github.vorpanta.Vorpanta)
set(VORPANTA_INSTALL_PROGRAMDIR "lib/vorpanta" CACHE STRING
  "Folder, relative to the install prefix, for the program with its Ico and dictionary folders")
set(VORPANTA_INSTALL_DOCDIR "${CMAKE_INSTALL_DATAROOTDIR}/doc/vorpanta")
set(VORPANTA_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR}/../packaging)
cmake_path(ABSOLUTE_PATH VORPANTA_PACKAGING_DIR NORMALIZE)

if(IS_ABSOLUTE "${VORPANTA_INSTALL_PROGRAMDIR}" OR IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}")
  message(FATAL_ERROR "VORPANTA_INSTALL_PROGRAMDIR and CMAKE_INSTALL_BINDIR must be relative to the prefix, "
                      "so that the link in the bin folder works under any prefix")
endif()

# The program and what it reads from beside itself.
install(TARGETS vorpanta RUNTIME DESTINATION ${VORPANTA_INSTALL_PROGRAMDIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/Ico/ DESTINATION ${VORPANTA_INSTALL_PROGRAMDIR}/Ico
  FILES_MATCHING PATTERN "*.bmp")
# The word list is unpacked by the build when its archive is in the tree.
install(DIRECTORY ${CMAKE_BINARY_DIR}/dictionary/ DESTINATION ${VORPANTA_INSTALL_PROGRAMDIR}/dictionary
  OPTIONAL)

# The command in the bin folder: a relative link made in the build tree and
# installed as a link (install(FILES) keeps links as they are).
cmake_path(RELATIVE_PATH VORPANTA_INSTALL_PROGRAMDIR BASE_DIRECTORY "${CMAKE_INSTALL_BINDIR}"
  OUTPUT_VARIABLE _vorpanta_link_dir)
set(_vorpanta_link ${CMAKE_BINARY_DIR}/packaging/bin/vorpanta)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging/bin)
file(CREATE_LINK "${_vorpanta_link_dir}/vorpanta" ${_vorpanta_link} SYMBOLIC)
install(FILES ${_vorpanta_link} DESTINATION ${CMAKE_INSTALL_BINDIR})

# Desktop integration.
install(FILES ${VORPANTA_PACKAGING_DIR}/${VORPANTA_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${VORPANTA_PACKAGING_DIR}/${VORPANTA_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(DIRECTORY ${VORPANTA_PACKAGING_DIR}/icons/hicolor
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons
  FILES_MATCHING PATTERN "*.png" PATTERN "*.svg")

# Licences: the program's, the bundled font's and the word list's.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${VORPANTA_PACKAGING_DIR}/debian/copyright
  DESTINATION ${VORPANTA_INSTALL_DOCDIR})
install(FILES ${PROJECT_SOURCE_DIR}/assets/fonts/OFL.txt
  DESTINATION ${VORPANTA_INSTALL_DOCDIR}/fonts)
# The word list's licence files may not be in the tree yet; they are looked
# up when installing, not when configuring.
install(CODE "
  file(GLOB _vorpanta_dictionary_notices LIST_DIRECTORIES false
    \"${PROJECT_SOURCE_DIR}/assets/dictionary/*LICENSE*\"
    \"${PROJECT_SOURCE_DIR}/assets/dictionary/COPYING*\"
    \"${PROJECT_SOURCE_DIR}/assets/dictionary/ATTRIBUTION.md\"
    \"${PROJECT_SOURCE_DIR}/assets/dictionary/licenses/*\")
  if(_vorpanta_dictionary_notices)
    file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${VORPANTA_INSTALL_DOCDIR}/dictionary\" TYPE FILE
      FILES \${_vorpanta_dictionary_notices})
  endif()
")

# ---------------------------------------------------------------------------
# Debian package (`make package`, or `cpack -G DEB` in the build folder).

set(VORPANTA_PACKAGE_MAINTAINER "Vorpanta developers <vorpanta@example.com>" CACHE STRING
  "Maintainer named in the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorpanta)
set(CPACK_PACKAGE_VENDOR "Vorpanta developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${VORPANTA_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Hungarian word game with falling letter tiles")
# Debian wants the long description in lines of under 80 characters.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Vorpanta is a word game for one player with a Hungarian user interface."
  "Pick neighbouring letter tiles with the left mouse button to spell a word"
  "and release the right button to submit it. Known words score the value of"
  "their letters times their length; their tiles empty and the letters above"
  "fall into the gap. The game keeps a top-ten table and learns the words the"
  "player teaches it.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/vorpanta/vorpanta")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VORPANTA_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries the program links to are found by dpkg-shlibdeps (Qt Charts, for
# the statistics window's chart, among them: libqt6charts6). What it loads
# at run time is not: Qt's platform plugins (X11 in qt6-qpa-plugins, Wayland
# in qt6-wayland), Qt's Hungarian texts (qt6-translations-l10n) and the
# program that opens web pages in the browser.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)

# ---------------------------------------------------------------------------
# Checks of the desktop files and of an installed tree.

if(VORPANTA_BUILD_TESTS)
  set(_vorpanta_check ${VORPANTA_PACKAGING_DIR}/tests/run-if-present.sh)
  add_test(NAME packaging_desktop_entry_valid
    COMMAND ${_vorpanta_check} desktop-file-validate ${VORPANTA_PACKAGING_DIR}/${VORPANTA_APP_ID}.desktop)
  add_test(NAME packaging_metainfo_valid
    COMMAND ${_vorpanta_check} appstreamcli validate --no-net
            ${VORPANTA_PACKAGING_DIR}/${VORPANTA_APP_ID}.metainfo.xml)
  add_test(NAME packaging_install_tree
    COMMAND ${VORPANTA_PACKAGING_DIR}/tests/check-install.sh
            ${CMAKE_BINARY_DIR} ${PROJECT_SOURCE_DIR} ${CMAKE_BINARY_DIR}/packaging/install-check)
  add_test(NAME packaging_deb
    COMMAND ${VORPANTA_PACKAGING_DIR}/tests/check-deb.sh
            ${CMAKE_BINARY_DIR} ${CMAKE_BINARY_DIR}/packaging/deb-check ${PROJECT_VERSION})
  set_tests_properties(packaging_desktop_entry_valid packaging_metainfo_valid packaging_deb
    PROPERTIES SKIP_RETURN_CODE 77)
  set_tests_properties(packaging_install_tree packaging_deb PROPERTIES
    LABELS packaging TIMEOUT 300 RUN_SERIAL ON)
endif()
