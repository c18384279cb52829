# The desktop files and the Debian package (scripts/package): cpack -G DEB in a build folder.

# Desktop entry, metainfo and the application icon in the hicolor theme, named by the application id.
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/${TARVIX_APP_ID}.desktop
        DESTINATION ${TARVIX_INSTALL_DATADIR}/applications)
set(TARVIX_RELEASE_DATE "2026-12-08" CACHE STRING "Date of this version's release, shown in the metainfo")
configure_file(${PROJECT_SOURCE_DIR}/resources/desktop/${TARVIX_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/desktop/${TARVIX_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/desktop/${TARVIX_APP_ID}.metainfo.xml
        DESTINATION ${TARVIX_INSTALL_DATADIR}/metainfo)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/tarvix-${size}.png
          DESTINATION ${TARVIX_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${TARVIX_APP_ID}.png)
endforeach()

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "tarvix")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "TARVIX")
set(CPACK_PACKAGE_CONTACT "TARVIX <support@tarvix.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "TCP port forwarder for the desktop, with a tray icon")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "TARVIX Port Mapping keeps a list of TCP port mappings. While a mapping is on, it listens on its local port "
  "and relays every client to the remote host and port, showing each mapping's state in its window and in "
  "the notification area. tarvix-relay runs the same mappings without a window.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_SECTION "net")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tarvix.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The icon theme's folders belong to hicolor-icon-theme; its trigger refreshes the icon cache.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "hicolor-icon-theme")
include(CPack)
