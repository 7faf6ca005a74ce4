# Linux: the program, its launcher, icon, metainfo, manual page and changelog where freedesktop
# systems look for them, and the Debian package.

# Qt's project setup points the installed binary at ../lib; it links only system libraries.
set_target_properties(rondelay PROPERTIES INSTALL_RPATH "")
install(TARGETS rondelay RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${RONDELAY_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

configure_file(${RONDELAY_APP_ID}.metainfo.xml.in
               ${CMAKE_CURRENT_BINARY_DIR}/${RONDELAY_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${RONDELAY_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(hicolor ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES icons/rondelay.svg DESTINATION ${hicolor}/scalable/apps
        RENAME ${RONDELAY_APP_ID}.svg)
foreach(size 16 24 32 48 64 128 256)
    install(FILES icons/rondelay-${size}.png DESTINATION ${hicolor}/${size}x${size}/apps
            RENAME ${RONDELAY_APP_ID}.png)
endforeach()

# The manual page and the changelog, compressed as Debian keeps them.
set(docs)
foreach(doc rondelay.1 changelog)
    add_custom_command(OUTPUT ${doc}.gz
        COMMAND sh -c "gzip -9nc '${CMAKE_CURRENT_SOURCE_DIR}/${doc}' > ${doc}.gz"
        DEPENDS ${doc} VERBATIM)
    list(APPEND docs ${CMAKE_CURRENT_BINARY_DIR}/${doc}.gz)
endforeach()
add_custom_target(rondelay_docs ALL DEPENDS ${docs})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/rondelay.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/rondelay)

# The Debian package: rondelay_1.0.0_amd64.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${RONDELAY_HOMEPAGE}")
# dpkg-shlibdeps finds the libraries the binary links, libpulse0 for the bells among them.
# Qt loads the rest with dlopen or by name: the X11 platform plugin (libqt6gui6 only
# recommends it) and the design's font.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic")
# Qt's own dialogs in Japanese; a sound server, without which the bells fall back to the
# desktop's alert beep; the Wayland platform plugin, without which a Wayland desktop shows
# the window only through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "qt6-translations-l10n, pipewire-pulse | pulseaudio, qt6-wayland")
