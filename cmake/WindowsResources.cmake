# The resources of the Windows programs (packaging/windows/): icon, application manifest and
# version information, compiled by the resource compiler (MinGW-w64 windres).

set(konwerter_resources ${PROJECT_SOURCE_DIR}/packaging/windows)

# konwerter_windows_resources(<target> DESCRIPTION <text> [INCLUDE <rc file>])
# Gives the program <target>.exe the icon, the manifest, and a version resource describing
# it as <text> (Polish, UTF-8). A program with resources of its own (the window's glyphs)
# names their script as INCLUDE: it is compiled with these in one script, since the resource
# compiler numbers the images of icons per script, and the images of two scripts would take
# the same numbers in one program.
function(konwerter_windows_resources target)
  cmake_parse_arguments(ARG "" "DESCRIPTION;INCLUDE" "" ${ARGN})
  set(program ${target})
  set(description ${ARG_DESCRIPTION})
  set(included_resources "")
  if(ARG_INCLUDE)
    set(included_resources "#include \"${ARG_INCLUDE}\"")
    get_filename_component(included_folder ${ARG_INCLUDE} DIRECTORY)
    target_include_directories(${target} PRIVATE ${included_folder})
  endif()
  set(icon ${PROJECT_SOURCE_DIR}/packaging/konwerter.ico)
  set(manifest ${konwerter_resources}/konwerter.manifest)
  set(resource_file ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${konwerter_resources}/program.rc.in ${resource_file} @ONLY)
  set_source_files_properties(${resource_file} PROPERTIES OBJECT_DEPENDS
    "${icon};${manifest};${KONWERTER_VERSION_DIR}/konwerter_version_stamp.h;${ARG_INCLUDE}")
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
