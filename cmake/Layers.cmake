# Each layer of src/ is a library of its own whose headers only the layers that link it can see.
#
# All of src/ as one include folder would let any file include any header, whatever the targets
# link, so a layer's include folder is made in the build tree instead: it holds a link to each
# header of the layer's own source folders (not of their subfolders, which are other layers), at
# the same relative path. A layer sees the include folders of the layers it links, nothing more,
# and an include that crosses the layering fails to compile.
function(varnemo_layer target)
  set(include_root "${CMAKE_BINARY_DIR}/layers/${target}")
  file(REMOVE_RECURSE "${include_root}")
  foreach(folder IN LISTS ARGN)
    file(GLOB headers CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/src/${folder}/*.h")
    file(MAKE_DIRECTORY "${include_root}/${folder}")
    foreach(header IN LISTS headers)
      get_filename_component(name "${header}" NAME)
      # A copy where the file system has no symbolic links; configuring again refreshes it.
      file(CREATE_LINK "${header}" "${include_root}/${folder}/${name}" SYMBOLIC COPY_ON_ERROR)
    endforeach()
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE "${include_root}")
  elseif(type STREQUAL "EXECUTABLE")
    target_include_directories(${target} PRIVATE "${include_root}")
  else()
    target_include_directories(${target} PUBLIC "${include_root}")
  endif()
endfunction()
