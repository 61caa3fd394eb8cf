# SPDX-License-Identifier: GPL-3.0-or-later
# Run by `make install` and by CPack at install time, when the prefix of the
# install is known, for the files that name installed paths:
#   the manual page, with this install's paths, compressed;
#   the links from the map folder to the system's Leaflet: relative when
#   Leaflet lies under the prefix (the package), absolute when not
#   (/usr/local), so that they also work in a DESTDIR tree.
# They are written to a folder of this install's own and installed from
# there (file(INSTALL) honours DESTDIR and the install manifest).
# Expects ZV_INSTALL_TIME_DIR, ZV_MAN_TEMPLATE, ZV_MAN_DIR, ZV_RELEASE_DATE,
# PROJECT_VERSION, ZV_INSTALL_DATADIR, ZV_INSTALL_PLUGINDIR, ZV_LEAFLET_DIR.
set(ZV_FULL_DATADIR "${CMAKE_INSTALL_PREFIX}/${ZV_INSTALL_DATADIR}")
cmake_path(ABSOLUTE_PATH ZV_INSTALL_PLUGINDIR BASE_DIRECTORY "${CMAKE_INSTALL_PREFIX}"
           OUTPUT_VARIABLE ZV_GST_PLUGIN_DIR)
string(MD5 install_key "$ENV{DESTDIR}|${CMAKE_INSTALL_PREFIX}")
set(out "${ZV_INSTALL_TIME_DIR}/${install_key}")
file(REMOVE_RECURSE "${out}")
file(MAKE_DIRECTORY "${out}/map")

configure_file("${ZV_MAN_TEMPLATE}" "${out}/zorvane-viewer.1" @ONLY)
execute_process(COMMAND gzip -9 -n -c "${out}/zorvane-viewer.1"
                OUTPUT_FILE "${out}/zorvane-viewer.1.gz" COMMAND_ERROR_IS_FATAL ANY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${ZV_MAN_DIR}" TYPE FILE
     FILES "${out}/zorvane-viewer.1.gz")

cmake_path(IS_PREFIX CMAKE_INSTALL_PREFIX "${ZV_LEAFLET_DIR}" NORMALIZE leaflet_in_prefix)
set(links "")
foreach(part leaflet.js leaflet.css images)
  set(target "${ZV_LEAFLET_DIR}/${part}")
  if(leaflet_in_prefix)
    file(RELATIVE_PATH target "${ZV_FULL_DATADIR}/map" "${target}")
  endif()
  file(CREATE_LINK "${target}" "${out}/map/${part}" SYMBOLIC)
  list(APPEND links "${out}/map/${part}")
endforeach()
file(INSTALL DESTINATION "${ZV_FULL_DATADIR}/map" TYPE FILE FILES ${links})
