# Read by cpack before it packs: the desktop entry names the folder of the
# example scheme by its installed path, so the build must install under /usr.
if(CPACK_GENERATOR STREQUAL "DEB" AND NOT CPACK_PACKAGING_INSTALL_PREFIX STREQUAL "/usr")
  message(FATAL_ERROR "The Debian package needs a build configured with "
                      "-DCMAKE_INSTALL_PREFIX=/usr (scripts/package.sh makes one).")
endif()
