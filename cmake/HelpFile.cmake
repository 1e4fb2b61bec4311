# Help.chm, the compiled help that Help > Contents opens on Windows, made from the guide in
# docs/help (project docs/help/Help.hhp) and put beside the programs. Microsoft's HTML Help
# Workshop (hhc) or Free Pascal's chmcmd compiles it; without either there is no Help.chm, and
# the program says so when asked for help.
find_program(VARNEMO_CHM_COMPILER NAMES hhc chmcmd PATHS "C:/Program Files (x86)/HTML Help Workshop"
  NO_CMAKE_FIND_ROOT_PATH)
if(NOT VARNEMO_CHM_COMPILER)
  message(STATUS "No hhc or chmcmd: Help.chm is not built")
  set(VARNEMO_HELP_FILE "")
  return()
endif()

set(VARNEMO_HELP_FILE ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Help.chm)
file(GLOB help_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/help/*)
add_custom_command(OUTPUT ${VARNEMO_HELP_FILE}
  COMMAND ${CMAKE_COMMAND} -DCOMPILER=${VARNEMO_CHM_COMPILER} -DSOURCE=${PROJECT_SOURCE_DIR}/docs/help
          -DWORK=${CMAKE_BINARY_DIR}/help-chm -DOUTPUT=${VARNEMO_HELP_FILE}
          -P ${PROJECT_SOURCE_DIR}/cmake/CompileHelp.cmake
  DEPENDS ${help_sources} ${PROJECT_SOURCE_DIR}/cmake/CompileHelp.cmake
  COMMENT "Compiling Help.chm with ${VARNEMO_CHM_COMPILER}"
  VERBATIM)
add_custom_target(help_file ALL DEPENDS ${VARNEMO_HELP_FILE})
install(FILES ${VARNEMO_HELP_FILE} DESTINATION bin)
