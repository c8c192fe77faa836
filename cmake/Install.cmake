# Install rules and the Debian package.
#
#   <prefix>/lib/kestrel/      kestrel, the engine libraries sw.so and hw.so (the program
#                              directory the launcher loads them from), and links to the
#                              programs it starts (kestrel-demo)
#   <prefix>/bin/              kestrel (a link into lib/kestrel), kestrel-query,
#                              kestrel-peer, kestrel-demo
#   <prefix>/share/            desktop entry, AppStream metainfo, hicolor icons, manual
#                              pages, bash completion of kestrel-query
#
#   cmake --install build/default --prefix /usr          (DESTDIR=... for a staging tree)
#   cpack -G DEB --config build/default/CPackConfig.cmake -B OUTDIR
include(GNUInstallDirs)

set(KESTREL_APP_ID io.github.kestrel_launcher.Kestrel)
set(KESTREL_INSTALL_PROGRAMDIR ${CMAKE_INSTALL_LIBDIR}/kestrel)
set(KESTREL_DATA_DIR ${PROJECT_SOURCE_DIR}/data)

# --- Programs --------------------------------------------------------------------------
install(TARGETS kestrel sw hw
        RUNTIME DESTINATION ${KESTREL_INSTALL_PROGRAMDIR}
        LIBRARY DESTINATION ${KESTREL_INSTALL_PROGRAMDIR})
# The stand-in dedicated server lives beside the launcher, which starts it from there.
if(TARGET ksds)
  install(TARGETS ksds RUNTIME DESTINATION ${KESTREL_INSTALL_PROGRAMDIR})
endif()
install(TARGETS kestrel-query kestrel-peer kestrel-demo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Relative links, made in the build tree and installed as links: bin/kestrel runs the
# launcher in its program directory (which it finds through /proc/self/exe), and the
# launcher finds the demo generator beside itself, as in the build tree.
set(link_dir ${CMAKE_BINARY_DIR}/install-links)
file(MAKE_DIRECTORY ${link_dir}/bin ${link_dir}/program)
file(RELATIVE_PATH to_launcher /${CMAKE_INSTALL_BINDIR} /${KESTREL_INSTALL_PROGRAMDIR}/kestrel)
file(RELATIVE_PATH to_generator /${KESTREL_INSTALL_PROGRAMDIR} /${CMAKE_INSTALL_BINDIR}/kestrel-demo)
file(CREATE_LINK ${to_launcher} ${link_dir}/bin/kestrel SYMBOLIC)
file(CREATE_LINK ${to_generator} ${link_dir}/program/kestrel-demo SYMBOLIC)
install(FILES ${link_dir}/bin/kestrel DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${link_dir}/program/kestrel-demo DESTINATION ${KESTREL_INSTALL_PROGRAMDIR})

# --- Desktop integration ---------------------------------------------------------------
install(FILES ${KESTREL_DATA_DIR}/${KESTREL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KESTREL_DATA_DIR}/${KESTREL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${KESTREL_DATA_DIR}/completion/kestrel-query
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

# The icons are drawn at build time by tools/icons.
set(KESTREL_ICON_SIZES 16 22 24 32 48 64 128 256)
set(icon_dir ${CMAKE_BINARY_DIR}/icons)
set(icon_files)
foreach(size ${KESTREL_ICON_SIZES})
  list(APPEND icon_files ${icon_dir}/hicolor/${size}x${size}/apps/${KESTREL_APP_ID}.png)
endforeach()
add_custom_command(
  OUTPUT ${icon_files}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:kestrel-icons> ${icon_dir} ${KESTREL_APP_ID}
  DEPENDS kestrel-icons
  COMMENT "Drawing the application icons"
  VERBATIM)
add_custom_target(kestrel-icon-files ALL DEPENDS ${icon_files})
install(DIRECTORY ${icon_dir}/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# Manual pages, compressed as Debian keeps them.
set(man_files)
foreach(page kestrel.6 kestrel-demo.6 kestrel-query.1 kestrel-peer.1)
  string(REGEX REPLACE ".*\\.([0-9])$" "\\1" section ${page})
  set(compressed ${CMAKE_BINARY_DIR}/man/${page}.gz)
  add_custom_command(
    OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND sh -c "gzip -9nc \"$1\" > \"$2\"" sh ${KESTREL_DATA_DIR}/man/${page} ${compressed}
    DEPENDS ${KESTREL_DATA_DIR}/man/${page}
    VERBATIM)
  list(APPEND man_files ${compressed})
  install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endforeach()
add_custom_target(kestrel-man-pages ALL DEPENDS ${man_files})

# --- Debian package --------------------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Kestrel developers")
set(CPACK_PACKAGE_CONTACT "The Kestrel developers <kestrel@kestrel-launcher.github.io>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "game launcher: find, inspect and join multiplayer game servers")
# CPack puts the summary on the first line of the package's description and these
# lines below it.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Kestrel is the launcher a player starts instead of a multiplayer first-person\n"
       "game: a skinned main menu from which the player finds game servers through\n"
       "master servers and on the LAN, inspects and joins them, creates servers and\n"
       "chats. It comes with kestrel-query, the browser without windows, kestrel-peer,\n"
       "test servers on 127.0.0.1, and kestrel-demo, a demo game tree to try it on.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://kestrel-launcher.github.io/)
# The libraries the programs link come from dpkg-shlibdeps; what they load at run time
# (the Qt platform plugins, the fonts of the demo skin, the media plugins) is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good")
set(CPACK_STRIP_FILES ON)
include(CPack)

# --- Checks (CTest) --------------------------------------------------------------------
if(KESTREL_TESTS)
  set(package_tests ${PROJECT_SOURCE_DIR}/tests/package)
  add_test(NAME package.desktop_entry COMMAND desktop-file-validate ${KESTREL_DATA_DIR}/${KESTREL_APP_ID}.desktop)
  add_test(NAME package.metainfo
           COMMAND appstreamcli validate --no-net ${KESTREL_DATA_DIR}/${KESTREL_APP_ID}.metainfo.xml)
  add_test(NAME package.man_pages COMMAND bash ${package_tests}/check_man_pages.sh ${KESTREL_DATA_DIR}/man)
  add_test(NAME package.completion COMMAND bash ${package_tests}/check_completion.sh
                                           ${KESTREL_DATA_DIR}/completion/kestrel-query)
  # Installing and packaging take a while and check the same tree in both builds: only
  # the default build (without the fuzzing harnesses) runs them.
  if(NOT KESTREL_FUZZ)
    add_test(NAME package.install_tree
             COMMAND bash ${package_tests}/check_install_tree.sh ${CMAKE_BINARY_DIR} ${KESTREL_APP_ID})
    add_test(NAME package.deb COMMAND bash ${package_tests}/check_deb.sh ${CMAKE_BINARY_DIR})
    set_tests_properties(package.install_tree package.deb PROPERTIES
                         ENVIRONMENT "QT_QPA_PLATFORM=offscreen" RESOURCE_LOCK package_staging)
  endif()
endif()
