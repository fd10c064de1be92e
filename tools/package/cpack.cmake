# The Debian package, made by CPack's DEB generator from the same install
# rules as `cmake --install` (tools/make-package runs it): the programs in
# /usr/bin, the data in /usr/share/sonara, the default SONARA.INI as the
# conffile /etc/sonara/SONARA.INI (a link in the data folder points at it, so
# the programs find it where they find the rest). CPack rather than a debian/
# folder: the install rules are already CMake's, and one build serves the
# tests and the package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME relevix)
set(CPACK_PACKAGE_VENDOR "Relevix")
set(CPACK_PACKAGE_CONTACT "Equipe do Relevix <relevix@relevix.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "talking Braille printing program for blind users, in Portuguese")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Relevix lays a text out as Braille pages (line width, lines per page, headers
with title and page numbers, interpoint, reformatting, syllable separation),
transcribes it by the Portuguese Braille rules and sends it to an embosser on
a serial or parallel port, through the print spooler, or into a file. Every
prompt, answer and message is shown in an 80 x 25 text window and spoken in
Brazilian Portuguese.")
# The version the program says of itself, a beta before the release.
set(CPACK_DEBIAN_PACKAGE_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}~beta")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries from the binaries; the recorded sounds were made with eSpeak NG,
# which also speaks when a server voice is chosen.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "espeak-ng")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "speech-dispatcher, cups, brltty, pandoc")
# In Debian's contrib and non-free.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "mbrola, mbrola-br4, antiword")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${CMAKE_CURRENT_LIST_DIR}/conffiles")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PRE_BUILD_SCRIPTS "${CMAKE_CURRENT_LIST_DIR}/settings_to_etc.cmake")
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/package")
include(CPack)

# The package's own documents: its terms and its history.
install(FILES "${CMAKE_CURRENT_LIST_DIR}/copyright" DESTINATION "${CMAKE_INSTALL_DOCDIR}")
set(relevix_changelog "${CMAKE_CURRENT_BINARY_DIR}/changelog.gz")
add_custom_command(OUTPUT "${relevix_changelog}"
  COMMAND gzip -9nc "${CMAKE_CURRENT_LIST_DIR}/changelog" > "${relevix_changelog}"
  DEPENDS "${CMAKE_CURRENT_LIST_DIR}/changelog"
  VERBATIM)
add_custom_target(relevix_changelog ALL DEPENDS "${relevix_changelog}")
install(FILES "${relevix_changelog}" DESTINATION "${CMAKE_INSTALL_DOCDIR}")
