# The Debian package: "cmake --build BUILD --target package" makes
# tintbar_<version>_amd64.deb from what "cmake --install" puts in place.
# scripts/package.sh configures a build for it: installed under /usr and
# compiled with Debian's hardening flags.

set(TINTBAR_MAINTAINER "${TINTBAR_PUBLISHER} <maintainers@tintbar.example>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tintbar)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR ${TINTBAR_PUBLISHER})
set(CPACK_PACKAGE_CONTACT ${TINTBAR_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/DebianPackageCheck.cmake)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/DebianPackageStrip.cmake)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TINTBAR_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tintbar.example/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The menus and labels are Japanese.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-noto-cjk)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "preview and copy the scrollbar colours of a style sheet
Tintbar shows two preview scrollbars painted in the seven scrollbar colour
properties of CSS beside an area in the page background colour. Pointing at a
part names it; clicking a part chooses its colour in the colour dialog. Copy
puts the colours on the clipboard as a complete BODY rule, also with the rules
that today's browsers read; Paste reads them back from any CSS text, and Undo
goes back one change. The user interface is Japanese.
.
The companion command tintbar-css prints the same texts, or the preview as a
PNG picture, for scripting.")

include(CPack)
