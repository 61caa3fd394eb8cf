# SPDX-License-Identifier: GPL-3.0-or-later
# Where `make install` (and the package) put the program's parts, and how
# the installed program finds them again from its own folder.
include(GNUInstallDirs)

# The desktop identity: the names of the .desktop file, the icon, the
# AppStream metainfo and the MIME package.
set(ZV_APP_ID "io.github.zorvane.ZorvaneViewer" CACHE STRING
    "Reverse-DNS id of the desktop application")
# The home page shown by the package, the AppStream metainfo and the
# GStreamer plugin's origin; empty when the project has none.
set(ZV_HOMEPAGE_URL "" CACHE STRING "Home page of the project (empty: none)")
if(ZV_HOMEPAGE_URL)
  set(ZV_PACKAGE_ORIGIN ${ZV_HOMEPAGE_URL})
else()
  set(ZV_PACKAGE_ORIGIN "Unknown package origin")
endif()

# The program's own data: map/ (the map page, Leaflet linked in from the
# system) and config/option.ini (the first default of the viewer options).
set(ZV_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/zorvane-viewer)

# The stream parse filter module goes to the system's GStreamer plugin
# folder, where gst-launch-1.0 and other GStreamer programs find it.
pkg_get_variable(ZV_SYSTEM_GST_PLUGIN_DIR gstreamer-1.0 pluginsdir)
set(ZV_GST_PLUGIN_DIR ${ZV_SYSTEM_GST_PLUGIN_DIR} CACHE PATH
    "Folder the GStreamer plugin is installed to")
# Inside the prefix the destination is relative, so that a package built
# with another prefix (CPack) moves it along; outside it stays absolute.
cmake_path(IS_PREFIX CMAKE_INSTALL_PREFIX "${ZV_GST_PLUGIN_DIR}" NORMALIZE ZV_PLUGIN_IN_PREFIX)
if(ZV_PLUGIN_IN_PREFIX)
  file(RELATIVE_PATH ZV_INSTALL_PLUGINDIR ${CMAKE_INSTALL_PREFIX} ${ZV_GST_PLUGIN_DIR})
else()
  set(ZV_INSTALL_PLUGINDIR ${ZV_GST_PLUGIN_DIR})
endif()

# The same places as seen from the installed program's folder.
file(RELATIVE_PATH ZV_DATA_DIR_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${ZV_INSTALL_DATADIR})
file(RELATIVE_PATH ZV_PLUGIN_DIR_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR} ${ZV_GST_PLUGIN_DIR})

configure_file(${CMAKE_SOURCE_DIR}/cmake/BuildConfig.h.in
               ${CMAKE_BINARY_DIR}/generated/BuildConfig.h @ONLY)
