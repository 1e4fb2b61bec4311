# The Windows installer Varnemo-<version>.msi, made with wixl (Debian package wixl) from
# data/windows/varnemo.wxs: varnemo.exe and varnemo-cli.exe without their debugging information,
# Help.chm and a Start-menu entry. Without wixl or Help.chm there is no installer.
find_program(VARNEMO_WIXL wixl NO_CMAKE_FIND_ROOT_PATH)
if(NOT VARNEMO_WIXL OR NOT VARNEMO_HELP_FILE)
  message(STATUS "No wixl or no Help.chm: the installer is not built")
  return()
endif()

set(VARNEMO_INSTALLER ${CMAKE_BINARY_DIR}/Varnemo-${PROJECT_VERSION}.msi)
set(stage ${CMAKE_BINARY_DIR}/installer)
add_custom_command(OUTPUT ${VARNEMO_INSTALLER}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
  COMMAND ${CMAKE_STRIP} -o ${stage}/varnemo.exe $<TARGET_FILE:varnemo>
  COMMAND ${CMAKE_STRIP} -o ${stage}/varnemo-cli.exe $<TARGET_FILE:varnemo-cli>
  COMMAND ${CMAKE_COMMAND} -E copy ${VARNEMO_HELP_FILE} ${stage}/Help.chm
  # wixl finds the files only by paths relative to the folder it runs in.
  COMMAND ${VARNEMO_WIXL} -a x64 -D BinDir=installer -o ${VARNEMO_INSTALLER}
          ${PROJECT_SOURCE_DIR}/data/windows/varnemo.wxs
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  DEPENDS varnemo varnemo-cli help_file ${PROJECT_SOURCE_DIR}/data/windows/varnemo.wxs
  COMMENT "Making the installer Varnemo-${PROJECT_VERSION}.msi with wixl"
  VERBATIM)
add_custom_target(installer ALL DEPENDS ${VARNEMO_INSTALLER})
