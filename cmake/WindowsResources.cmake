# The resources of the Windows programs (packaging/windows/): icon, application manifest and
# version information, compiled by the resource compiler (MinGW-w64 windres).

set(konwerter_resources ${PROJECT_SOURCE_DIR}/packaging/windows)

# konwerter_windows_resources(<target> DESCRIPTION <text>)
# Gives the program <target>.exe the icon, the manifest, and a version resource describing
# it as <text> (Polish, UTF-8).
function(konwerter_windows_resources target)
  cmake_parse_arguments(ARG "" "DESCRIPTION" "" ${ARGN})
  set(program ${target})
  set(description ${ARG_DESCRIPTION})
  set(icon ${PROJECT_SOURCE_DIR}/packaging/konwerter.ico)
  set(manifest ${konwerter_resources}/konwerter.manifest)
  set(resource_file ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${konwerter_resources}/program.rc.in ${resource_file} @ONLY)
  set_source_files_properties(${resource_file} PROPERTIES OBJECT_DEPENDS
    "${icon};${manifest};${KONWERTER_VERSION_DIR}/konwerter_version_stamp.h")
  target_sources(${target} PRIVATE ${resource_file})
  target_include_directories(${target} PRIVATE ${KONWERTER_VERSION_DIR})
  add_dependencies(${target} konwerter_version_stamp)
endfunction()

# konwerter_windows_manifest(<target>)
# Gives a test program the programs' manifest, so it runs with the same controls, DPI
# awareness and code page as they do.
function(konwerter_windows_manifest target)
  set(manifest ${konwerter_resources}/konwerter.manifest)
  set(resource_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_manifest.rc)
  configure_file(${konwerter_resources}/manifest.rc.in ${resource_file} @ONLY)
  set_source_files_properties(${resource_file} PROPERTIES OBJECT_DEPENDS ${manifest})
  target_sources(${target} PRIVATE ${resource_file})
endfunction()
