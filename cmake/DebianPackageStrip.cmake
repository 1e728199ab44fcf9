# Run by cpack on the staged files before packing: strips the programs as
# Debian's own packages are stripped, the compiler's .comment and .note
# sections included (cpack's own stripping keeps those).
find_program(STRIP_PROGRAM strip REQUIRED)
file(GLOB programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/bin/*")
foreach(program IN LISTS programs)
  execute_process(
    COMMAND ${STRIP_PROGRAM} --remove-section=.comment --remove-section=.note ${program}
    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
