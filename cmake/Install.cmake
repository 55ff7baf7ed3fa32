# Desktop install layout and the Debian package. The program itself is installed by src/app.
#
#   bin/tavlor
#   share/applications/tavlor.desktop
#   share/icons/hicolor/48x48/apps/tavlor.png, share/icons/hicolor/scalable/apps/tavlor.svg
#   share/metainfo/example.vorlane.tavlor.metainfo.xml
#   share/tavlor/versions.txt            (the Help menu's version history)
#   share/tavlor/license.txt             (the licence terms the about box names)
#   share/doc/tavlor/copyright           (the same terms, where Debian keeps a package's)
if(NOT TAVLOR_BUILD_UI)
  return()
endif()

set(TAVLOR_RESOURCES ${CMAKE_SOURCE_DIR}/resources)
install(FILES ${TAVLOR_RESOURCES}/tavlor.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TAVLOR_RESOURCES}/icons/tavlor-48.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/48x48/apps RENAME tavlor.png)
install(FILES ${TAVLOR_RESOURCES}/icons/tavlor.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${TAVLOR_RESOURCES}/example.vorlane.tavlor.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${TAVLOR_RESOURCES}/versions.txt ${TAVLOR_RESOURCES}/license.txt
        DESTINATION ${CMAKE_INSTALL_DATADIR}/tavlor)
install(FILES ${TAVLOR_RESOURCES}/license.txt DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tavlor
        RENAME copyright)

# cpack -G DEB (run in the build folder) makes tavlor_<version>_<arch>.deb. dpkg-shlibdeps finds
# the Qt and C++ libraries the program links (the xcb platform plugin ships in libqt6gui6).
set(CPACK_PACKAGE_NAME tavlor)
set(CPACK_PACKAGE_VENDOR "Vorlane Software")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for semicolon-separated tabular text")
set(CPACK_PACKAGE_DESCRIPTION
    "Vorlane Tavlor edits tabular text files in which every cell ends with a semicolon: one sheet of
26 columns and 9999 rows with a formula bar and a status bar. Files are read and written byte
for byte.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.vorlane.example/")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Vorlane Software <tavlor@vorlane.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# CUPS is loaded when a print job is handed to a queue, not linked, so dpkg-shlibdeps cannot see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libcups2")
# qt6-wayland lets the program run as a native client on Wayland desktops.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, xdg-utils, qt6-wayland")
set(CPACK_GENERATOR DEB)
include(CPack)
