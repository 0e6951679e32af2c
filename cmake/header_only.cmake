# CLI11 and nlohmann-json for a cross build. Their Debian packages are
# header-only, but their CMake configurations point at /usr/include, where
# the host's C library headers would shadow the target's: the two header
# trees are copied into an include directory of the build's own instead.
set(header_only ${PROJECT_BINARY_DIR}/header-only)
foreach(tree CLI nlohmann)
  if(NOT EXISTS /usr/include/${tree})
    message(FATAL_ERROR "/usr/include/${tree} missing: install libcli11-dev and nlohmann-json3-dev")
  endif()
  file(COPY /usr/include/${tree} DESTINATION ${header_only})
endforeach()
add_library(CLI11::CLI11 INTERFACE IMPORTED GLOBAL)
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED GLOBAL)
set_target_properties(CLI11::CLI11 nlohmann_json::nlohmann_json PROPERTIES
                      INTERFACE_INCLUDE_DIRECTORIES ${header_only}
                      INTERFACE_SYSTEM_INCLUDE_DIRECTORIES ${header_only})
