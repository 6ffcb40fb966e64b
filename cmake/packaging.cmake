# Installs the Linux build where desktops and saver daemons look for it, and
# packs it for Debian: cpack -G DEB in the build folder.
include(GNUInstallDirs)

set(ALMANIX_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)

# Debian wants its manual pages and changelogs compressed, and without time stamps.
function(almanix_gzip source output)
  add_custom_command(OUTPUT ${output}
    COMMAND gzip -9n -c ${source} > ${output}
    DEPENDS ${source} VERBATIM)
endfunction()
almanix_gzip(${ALMANIX_PACKAGING}/almanix.6 ${CMAKE_BINARY_DIR}/almanix.6.gz)
almanix_gzip(${ALMANIX_PACKAGING}/changelog ${CMAKE_BINARY_DIR}/changelog.gz)
add_custom_target(almanix_compressed_docs ALL DEPENDS ${CMAKE_BINARY_DIR}/almanix.6.gz ${CMAKE_BINARY_DIR}/changelog.gz)

install(TARGETS almanix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_BINARY_DIR}/almanix.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${ALMANIX_PACKAGING}/almanix.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/xscreensaver/config)
install(FILES ${ALMANIX_PACKAGING}/almanix.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications/screensavers)
install(FILES ${ALMANIX_PACKAGING}/almanix-setup.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(PROGRAMS ${ALMANIX_PACKAGING}/saver_almanix DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/almanix)
# MATE's and Xfce's savers run only programs of their own folders or of
# XScreenSaver's: the program is there too, under its own name.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/xscreensaver-hack)
file(CREATE_LINK ../../bin/almanix ${CMAKE_BINARY_DIR}/xscreensaver-hack/almanix SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/xscreensaver-hack/almanix DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/xscreensaver)
install(FILES ${ALMANIX_PACKAGING}/copyright ${CMAKE_BINARY_DIR}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/almanix)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME almanix)
set(CPACK_PACKAGE_VERSION 1.00)
set(CPACK_PACKAGE_CONTACT "Almanix maintainers <maintainers@users.noreply.c-seed-7f68bb88.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calendar screen saver for X11")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "While the screen is idle, Almanix moves one image at a time across a black
screen: a notice of the events that fall due within a set number of days,
or one of your own pictures. Events whose date has passed drop out of the
calendar by themselves.
.
It runs full screen over every monitor (almanix /s, for xautolock,
xss-lock or swayidle, on X11 or Wayland), or inside the windows of
XScreenSaver, xsecurelock, MATE and Xfce. It does not lock the screen:
that is the daemon's job.")
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's Wayland platform, for Wayland sessions.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xscreensaver | xautolock | xss-lock | swayidle")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
