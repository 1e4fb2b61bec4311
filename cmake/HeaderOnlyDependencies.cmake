# fmt, nlohmann-json and CLI11 for a cross build: Debian ships no MinGW builds of them, but all
# three work from their headers alone. Their headers are copied from the build machine's include
# folder (not put on the include path, which holds the build machine's C library too).
set(VARNEMO_HEADER_ONLY_ROOT "/usr/include" CACHE PATH "Folder holding fmt/, nlohmann/ and CLI/")
set(header_only_dir "${CMAKE_BINARY_DIR}/header-only")
foreach(folder fmt nlohmann CLI)
  if(NOT EXISTS "${VARNEMO_HEADER_ONLY_ROOT}/${folder}")
    message(FATAL_ERROR "No ${VARNEMO_HEADER_ONLY_ROOT}/${folder}: install libfmt-dev, nlohmann-json3-dev and libcli11-dev")
  endif()
  file(COPY "${VARNEMO_HEADER_ONLY_ROOT}/${folder}" DESTINATION "${header_only_dir}")
endforeach()

add_library(varnemo_header_only_fmt INTERFACE)
target_include_directories(varnemo_header_only_fmt SYSTEM INTERFACE "${header_only_dir}")
target_compile_definitions(varnemo_header_only_fmt INTERFACE FMT_HEADER_ONLY)
add_library(fmt::fmt ALIAS varnemo_header_only_fmt)

add_library(varnemo_header_only_others INTERFACE)
target_include_directories(varnemo_header_only_others SYSTEM INTERFACE "${header_only_dir}")
add_library(nlohmann_json::nlohmann_json ALIAS varnemo_header_only_others)
add_library(CLI11::CLI11 ALIAS varnemo_header_only_others)
