# SPDX-License-Identifier: GPL-3.0-or-later
# `make package`: a Debian package of the installed program, made by CPack
# from this build (cmake --build build --target package). The package always
# installs under /usr, whatever prefix `make install` uses; files that name
# installed paths are written at install time, so they name the package's.
set(ZV_PACKAGE_CONTACT "Zorvane Viewer maintainers <maintainers@zorvane-viewer.invalid>"
    CACHE STRING "Maintainer of the Debian package: name <e-mail>")

# Every Debian package carries its copyright file and changelog; `make
# install` installs them too, so that the package holds what it installs.
set(ZV_CHANGELOG ${CMAKE_BINARY_DIR}/debian/changelog)
configure_file(${CMAKE_SOURCE_DIR}/cmake/debian/changelog ${ZV_CHANGELOG} @ONLY)
file(STRINGS ${ZV_CHANGELOG} ZV_CHANGELOG_HEAD LIMIT_COUNT 1)
if(NOT ZV_CHANGELOG_HEAD MATCHES "^zorvane-viewer \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "cmake/debian/changelog has no entry for version ${PROJECT_VERSION}")
endif()
find_program(ZV_GZIP gzip REQUIRED)
add_custom_command(
  OUTPUT ${ZV_CHANGELOG}.gz
  COMMAND ${ZV_GZIP} -9 -n -c ${ZV_CHANGELOG} > ${ZV_CHANGELOG}.gz
  DEPENDS ${ZV_CHANGELOG})
add_custom_target(debian-changelog ALL DEPENDS ${ZV_CHANGELOG}.gz)
set(ZV_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/zorvane-viewer)
install(FILES ${CMAKE_SOURCE_DIR}/cmake/debian/copyright DESTINATION ${ZV_INSTALL_DOCDIR})
install(FILES ${ZV_CHANGELOG}.gz DESTINATION ${ZV_INSTALL_DOCDIR} RENAME changelog.gz)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zorvane-viewer)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${ZV_PACKAGE_CONTACT})
# Installed with DESTDIR into the staging folder, so that install-time
# files see the package's prefix, and absolute destinations land inside it.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for the recordings of two-camera car event recorders")
set(CPACK_PACKAGE_DESCRIPTION [[
VARNI Viewer plays the recordings that a two-camera car event recorder
(a dashcam) writes to its memory card: front and rear video, sound, and in
step with them the speed, the G-sensor values and graph, and the position
on a map. It lists the recordings of a card by date and kind, saves
snapshots, prints a report of a moment, and edits the recorder's settings
files.

The package also installs the GStreamer element vnstreamparse, which reads
these recordings in any GStreamer program.]])
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
if(ZV_HOMEPAGE_URL)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ZV_HOMEPAGE_URL})
endif()
# Libraries come from dpkg-shlibdeps; what is loaded at run time by name
# (GStreamer elements, the web engine's helper process, Leaflet) is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libjs-leaflet, libqt6webenginecore6-bin, gstreamer1.0-plugins-base, \
gstreamer1.0-plugins-good, gstreamer1.0-plugins-bad, gstreamer1.0-libav")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
  "fonts-noto-cjk, gstreamer1.0-pulseaudio | gstreamer1.0-alsa, udisks2, dosfstools")
include(CPack)
