# The per-user installer of the Windows build, packed by NSIS from the
# portable zip's folder (zip_folder, zip_file), and SHA256SUMS for both
# downloads. The name, the publisher and the version come from the top
# CMakeLists.txt, as the programs' do.
find_program(TINTBAR_MAKENSIS makensis REQUIRED)

set(installer_script ${PROJECT_SOURCE_DIR}/data/windows/installer.nsi)
set(installer_name Tintbar-${PROJECT_VERSION}-setup.exe)
set(installer_file ${CMAKE_BINARY_DIR}/${installer_name})
add_custom_command(OUTPUT ${installer_file}
  COMMAND ${TINTBAR_MAKENSIS} -V2 -WX -INPUTCHARSET UTF8
    -DPRODUCT_NAME=${TINTBAR_PRODUCT_NAME} -DPUBLISHER=${TINTBAR_PUBLISHER}
    -DVERSION=${PROJECT_VERSION} -DSTAGE=${zip_folder}
    -DICON=${PROJECT_BINARY_DIR}/app/tintbar.ico -DOUTFILE=${installer_file}
    ${installer_script}
  DEPENDS ${zip_file} ${installer_script}
  VERBATIM)
add_custom_target(installer DEPENDS ${installer_file})

get_filename_component(zip_name ${zip_file} NAME)
set(checksum_file ${CMAKE_BINARY_DIR}/SHA256SUMS)
add_custom_command(OUTPUT ${checksum_file}
  COMMAND sh -c "sha256sum ${zip_name} ${installer_name} >SHA256SUMS"
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  DEPENDS ${zip_file} ${installer_file}
  VERBATIM)
add_custom_target(checksums DEPENDS ${checksum_file})
