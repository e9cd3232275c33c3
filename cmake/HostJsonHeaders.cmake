# nlohmann-json for the cross-build: the library is header-only, so the build machine's
# Debian package serves, but only its own folder may reach the include path (the rest of
# /usr/include belongs to the build machine's C library).
find_path(KONWERTER_JSON_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH
  REQUIRED)
set(json_headers ${CMAKE_BINARY_DIR}/host-headers)
file(COPY ${KONWERTER_JSON_INCLUDE}/nlohmann DESTINATION ${json_headers})
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES ${json_headers})
