# The Debian package: `cpack -G DEB` in the build folder (or scripts/package)
# gives linkbench_<version>_<arch>.deb with everything `cmake --install` puts
# in place, under /usr. The Qt libraries it links are found by dpkg-shlibdeps;
# what it loads at run time without linking is named here.

# Debian wants the copyright and a compressed changelog under /usr/share/doc.
set(doc_folder ${CMAKE_INSTALL_DATADIR}/doc/linkbench)
set(changelog_gz ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${changelog_gz}
                   COMMAND gzip -9nc ${CMAKE_CURRENT_SOURCE_DIR}/changelog > ${changelog_gz}
                   DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/changelog VERBATIM)
add_custom_target(linkbench_changelog ALL DEPENDS ${changelog_gz})
install(FILES copyright ${changelog_gz} DESTINATION ${doc_folder})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME linkbench)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "LinkBench developers <linkbench@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "RS-485 link tester for QL-series panel instruments")
set(CPACK_PACKAGE_DESCRIPTION
    "LinkBench tests the RS-485 link of QL-series panel instruments and of
their HBX data concentrator from a PC serial port: it sends one command
frame at a time and shows the raw reply, or a time-out, in a transcript
that can be saved and printed. The package also holds linkbench-monitor,
a window that polls the bus and shows counts, response times, value trends
and a bus scan, and linkbench-sim, an instrument simulator on a
pseudo-terminal or a real port.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, not linked: the window-system plugins and a Chinese
# face (the window's texts are simplified Chinese).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-arphic-uming | fonts-noto-cjk")
# F1 opens help.chm with the desktop's viewer; Qt's dialogs speak Chinese
# with its translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xchm | kchmviewer, qt6-translations-l10n")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
