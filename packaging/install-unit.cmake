# Installs the service's unit with its paths moved from /usr/local to the
# prefix of this install. The unit goes with the system's units (the
# distribution's folder, /lib/systemd/system) when the prefix is /usr, else
# into PREFIX/lib/systemd/system, which systemd reads for /usr/local too.
file(READ "${QUENLOW_UNIT_SOURCE}" unit)
string(REPLACE "/usr/local/bin/" "${CMAKE_INSTALL_PREFIX}/bin/" unit "${unit}")
string(REPLACE "/usr/local/share/doc/quenlow/" "${CMAKE_INSTALL_PREFIX}/${QUENLOW_INSTALL_DOCDIR}/" unit "${unit}")
if(CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  set(unit_dir "${QUENLOW_SYSTEM_UNIT_DIR}")
else()
  set(unit_dir "${CMAKE_INSTALL_PREFIX}/lib/systemd/system")
endif()
set(staged "${QUENLOW_UNIT_STAGE}/quenlow-server.service")
file(WRITE "${staged}" "${unit}")
file(INSTALL "${staged}" DESTINATION "${unit_dir}" FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
