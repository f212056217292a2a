# The Debian package: `cpack -G DEB` in the build folder.
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "Olvistra")
set(CPACK_PACKAGE_CONTACT "Velmora developers <velmora@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small skinned media player")
set(CPACK_PACKAGE_DESCRIPTION
    "Velmora plays audio and video files with GStreamer inside a small skinned\n"
    "window with a docking playlist, a tray icon and configurable hot keys.\n"
    "Media keys and desktop media widgets control it through MPRIS, and screen\n"
    "readers see its controls.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VELMORA_HOMEPAGE}")
# Libraries from dpkg-shlibdeps; the GStreamer plug-ins the player loads at
# run time are no link dependencies, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, gstreamer1.0-plugins-bad, \
gstreamer1.0-plugins-ugly, gstreamer1.0-libav, gstreamer1.0-x, gstreamer1.0-alsa, \
gstreamer1.0-pulseaudio, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, fonts-thai-tlwg")
include(CPack)
