# The Debian package (scripts/package runs cpack). Depends are worked out by dpkg-shlibdeps
# from the libraries the program links; what it loads at run time by name (GStreamer's
# plugins, Qt's platform plugin) is added by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME brivara)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Zendor)
set(CPACK_PACKAGE_CONTACT "Zendor <brivara@zendor.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "skinnable player for films, sound files and audio CDs")
set(CPACK_PACKAGE_DESCRIPTION
  "Brivara plays video files, audio files and audio CDs in a window or full screen.\n"
  "It finds the subtitle file beside a film, reads six subtitle formats in any\n"
  "common encoding, times them itself and draws them outlined over the picture.\n"
  "Around that stand a playlist with a media search, rebindable key commands,\n"
  "picture geometry, an on-screen display, snapshots, skins and language files.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.zendor.org/brivara")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-qpa-plugins, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, gstreamer1.0-x")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
  "gstreamer1.0-plugins-bad, gstreamer1.0-plugins-ugly, gstreamer1.0-libav, gstreamer1.0-pulseaudio | gstreamer1.0-alsa, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "playerctl")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
