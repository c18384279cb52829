# The desktop files, the documentation and the two Debian packages (scripts/package): cpack -G DEB in a build
# folder makes tarvix-relay (component "relay") and tarvix (component "desktop").

# Desktop entry, metainfo and the application icon in the hicolor theme, named by the application id.
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/${TARVIX_APP_ID}.desktop
        DESTINATION ${TARVIX_INSTALL_DATADIR}/applications COMPONENT desktop)
set(TARVIX_RELEASE_DATE "2026-12-08" CACHE STRING "Date of this version's release, shown in the metainfo")
configure_file(${PROJECT_SOURCE_DIR}/resources/desktop/${TARVIX_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/desktop/${TARVIX_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/desktop/${TARVIX_APP_ID}.metainfo.xml
        DESTINATION ${TARVIX_INSTALL_DATADIR}/metainfo COMPONENT desktop)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/tarvix-${size}.png
          DESTINATION ${TARVIX_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${TARVIX_APP_ID}.png COMPONENT desktop)
endforeach()

# Manual pages and each package's copyright and changelog, compressed as Debian has them.
find_program(TARVIX_GZIP gzip REQUIRED)
set(doc_build ${CMAKE_BINARY_DIR}/doc)
function(tarvix_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${doc_build}
    COMMAND ${TARVIX_GZIP} -9n -c ${source} > ${output}
    DEPENDS ${source} VERBATIM)
endfunction()
tarvix_gzip(${PROJECT_SOURCE_DIR}/resources/man/tarvix-relay.8 ${doc_build}/tarvix-relay.8.gz)
tarvix_gzip(${PROJECT_SOURCE_DIR}/resources/man/tarvix.1 ${doc_build}/tarvix.1.gz)
tarvix_gzip(${PROJECT_SOURCE_DIR}/resources/debian/changelog ${doc_build}/changelog.gz)
add_custom_target(tarvix_docs ALL DEPENDS ${doc_build}/tarvix-relay.8.gz ${doc_build}/tarvix.1.gz ${doc_build}/changelog.gz)
install(FILES ${doc_build}/tarvix-relay.8.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man8 COMPONENT relay)
install(FILES ${doc_build}/tarvix.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT desktop)
foreach(pair "relay;tarvix-relay" "desktop;tarvix")
  list(GET pair 0 component)
  list(GET pair 1 package)
  install(FILES ${PROJECT_SOURCE_DIR}/resources/debian/copyright ${doc_build}/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${package} COMPONENT ${component})
endforeach()

# The changelog names the version packaged: the two must agree.
file(STRINGS ${PROJECT_SOURCE_DIR}/resources/debian/changelog changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "^tarvix \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "resources/debian/changelog starts with \"${changelog_top}\", not version ${PROJECT_VERSION}")
endif()

# The relay's settings file is the administrator's: kept on upgrades and removals (dpkg's conffiles).
file(WRITE ${CMAKE_BINARY_DIR}/debian/conffiles "${TARVIX_INSTALL_CONFDIR}/tarvix.ini\n")

set(CPACK_GENERATOR "DEB")
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL relay desktop)
set(CPACK_PACKAGE_NAME "tarvix")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "TARVIX")
set(CPACK_PACKAGE_CONTACT "TARVIX <support@tarvix.example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_SECTION "net")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tarvix.example.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

set(CPACK_DEBIAN_RELAY_PACKAGE_NAME "tarvix-relay")
set(CPACK_COMPONENT_RELAY_DESCRIPTION "TCP port forwarder without a window, with its system service
tarvix-relay keeps TCP port mappings running without a window: each listens
on its local port and relays every client to a remote host and port. It
reads the mappings of a settings file or of its command line, and runs as
the system service tarvix-relay, which relays the mappings of
/etc/tarvix/tarvix.ini and applies an edit on reload without losing a
mapping.")
set(CPACK_DEBIAN_RELAY_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/resources/debian/tarvix-relay/postinst
    ${PROJECT_SOURCE_DIR}/resources/debian/tarvix-relay/prerm
    ${PROJECT_SOURCE_DIR}/resources/debian/tarvix-relay/postrm
    ${CMAKE_BINARY_DIR}/debian/conffiles)
set(CPACK_DEBIAN_RELAY_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_DEBIAN_DESKTOP_PACKAGE_NAME "tarvix")
set(CPACK_DEBIAN_DESKTOP_PACKAGE_SECTION "net")
set(CPACK_COMPONENT_DESKTOP_DESCRIPTION "TCP port forwarder for the desktop, with a tray icon
TARVIX Port Mapping keeps a list of TCP port mappings. While a mapping is
on, it listens on its local port and relays every client to the remote host
and port, showing each mapping's state in its window and in the
notification area.")
# The icon theme's folders belong to hicolor-icon-theme; its trigger refreshes the icon cache. The language
# modules come with the relay.
set(CPACK_DEBIAN_DESKTOP_PACKAGE_DEPENDS "tarvix-relay (= ${PROJECT_VERSION}), hicolor-icon-theme")
include(CPack)
