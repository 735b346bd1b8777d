# Installs Vokamo the way desktop programs are installed, and builds a Debian
# package of it with CPack (`cpack -G DEB` in the build folder, or the
# `package` target):
#   bin/vokamo
#   lib/ARCH/vokamo/libvokamo_sound.so           the sound backend, found from bin/ by the program
#   share/vokamo/sounds, share/vokamo/samples     found from bin/ by the program
#   share/applications, share/icons, share/metainfo   the menu entries and their metadata
#   share/doc/vokamo, share/man/man1              README, copyright, changelog, manual page
# The help text is compiled into the program.

# No web page, screenshot address or mail address is named: none exists. A
# distributor who packages Vokamo sets her own contact here.
set(VOKAMO_DEVELOPER "The Vokamo developers")
set(VOKAMO_MAINTAINER "Vokamo developers" CACHE STRING "Maintainer of the Debian package")
set(VOKAMO_APP_ID org.vokamo.Vokamo)

# The sample question files sit next to the program in the build folder too,
# so that the build behaves like the installed program.
set(VOKAMO_SAMPLES hinshi2.dat kihon0.dat lesson1.dat mix3.dat)
set(VOKAMO_SAMPLE_FILES)
foreach(s IN LISTS VOKAMO_SAMPLES)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/samples/${s}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/samples/${s} ${CMAKE_BINARY_DIR}/samples/${s}
    DEPENDS ${CMAKE_SOURCE_DIR}/samples/${s})
  list(APPEND VOKAMO_SAMPLE_FILES ${CMAKE_BINARY_DIR}/samples/${s})
endforeach()
add_custom_target(vokamo_samples ALL DEPENDS ${VOKAMO_SAMPLE_FILES})
add_dependencies(vokamo vokamo_samples)

configure_file(${CMAKE_CURRENT_LIST_DIR}/${VOKAMO_APP_ID}.metainfo.xml.in
  ${CMAKE_BINARY_DIR}/packaging/${VOKAMO_APP_ID}.metainfo.xml @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.Debian ${CMAKE_BINARY_DIR}/packaging/changelog.Debian @ONLY)
# Debian wants the changelog compressed, without a time stamp in it.
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz
  COMMAND gzip -n -9 -c ${CMAKE_BINARY_DIR}/packaging/changelog.Debian > ${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz
  DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog.Debian)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/vokamo.1.gz
  COMMAND gzip -n -9 -c ${CMAKE_CURRENT_LIST_DIR}/vokamo.1 > ${CMAKE_BINARY_DIR}/packaging/vokamo.1.gz
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/vokamo.1)
add_custom_target(vokamo_packaging_docs ALL
  DEPENDS ${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz ${CMAKE_BINARY_DIR}/packaging/vokamo.1.gz)
# Building the program builds everything its package installs, so that
# `cpack` works after building only the program (as tools/setup.sh run does).
add_dependencies(vokamo vokamo_packaging_docs)

set(VOKAMO_DATA ${CMAKE_INSTALL_DATADIR}/vokamo)
set(VOKAMO_DOC ${CMAKE_INSTALL_DATADIR}/doc/vokamo)
install(TARGETS vokamo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The sound backend, loaded by the program from bin/../VOKAMO_MODULE_DIR.
install(TARGETS vokamo_sound LIBRARY DESTINATION ${VOKAMO_MODULE_DIR})
install(FILES ${VOKAMO_SOUND_FILES} DESTINATION ${VOKAMO_DATA}/sounds)
install(FILES ${VOKAMO_SAMPLE_FILES} DESTINATION ${VOKAMO_DATA}/samples)
# Two menu entries: the pupil's drill and the teacher's class overview.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${VOKAMO_APP_ID}.desktop ${CMAKE_CURRENT_LIST_DIR}/${VOKAMO_APP_ID}.Class.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/vokamo.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${VOKAMO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_BINARY_DIR}/packaging/vokamo.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The READMEs link to each other and to the screenshot, which come along; the
# licence's text is in /usr/share/common-licenses, named by the copyright file.
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/README.ja.md ${CMAKE_SOURCE_DIR}/NEWS
  ${CMAKE_CURRENT_LIST_DIR}/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.Debian.gz DESTINATION ${VOKAMO_DOC})
install(FILES ${CMAKE_SOURCE_DIR}/docs/screenshot-main.png DESTINATION ${VOKAMO_DOC}/docs)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
  RENAME vokamo)

set(CPACK_PACKAGE_NAME vokamo)
set(CPACK_PACKAGE_VENDOR "${VOKAMO_DEVELOPER}")
set(CPACK_PACKAGE_CONTACT "${VOKAMO_MAINTAINER}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The first packaging of this version: "4.0-1".
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "English vocabulary drill for Japanese pupils")
# The extended description: lines after the first are indented by CPack.
set(CPACK_PACKAGE_DESCRIPTION "Vokamo shows the Japanese meaning of an English word and an English
sentence with a blank, which the pupil fills by choosing a word or typing it
on a keypad. Every answer is marked at once; wrong questions come back until
all are right. Each pupil's record shows what she has learned. The program
speaks Japanese; teachers can write their own question files.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VOKAMO_MAINTAINER}")
# The libraries (Qt and what it needs) are found by dpkg-shlibdeps from the
# program itself; what it loads by name is listed: the fonts its windows are
# drawn in, and Qt's Japanese texts for the dialogs. The X11 platform plugin
# comes with libqt6gui6. libcsv3 reads the teachers' word tables and writes
# the class overview's CSV; libqt6printsupport6 prints it (both are linked
# and would be found anyway; they are named for the reader of this list).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libcsv3, libqt6printsupport6, fonts-ipafont-mincho, fonts-ipafont-gothic, fonts-liberation2, qt6-translations-l10n")
# A Japanese input method with its Qt 6 frontend, so that a pupil can type
# her name in kana and kanji (ibus talks to Qt 6 through libqt6gui6 itself).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "ibus-mozc | fcitx5-mozc, fcitx5-frontend-qt6, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The same sources give the same package: every date in it is the last
# commit's, found when cpack runs (packaging/CPackProject.cmake.in).
configure_file(${CMAKE_CURRENT_LIST_DIR}/CPackProject.cmake.in ${CMAKE_BINARY_DIR}/packaging/CPackProject.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/packaging/CPackProject.cmake)
include(CPack)
