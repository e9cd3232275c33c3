# Warnings are errors everywhere in the project's own code.
add_library(konwerter_warnings INTERFACE)
target_compile_options(konwerter_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
  -Wimplicit-fallthrough -Wcast-qual -Werror
  # GCC 12 warns of overlapping copies inside std::string concatenation at -O3, wrongly
  # (GCC bug 105651, mended in GCC 13).
  $<$<AND:$<CXX_COMPILER_ID:GNU>,$<VERSION_LESS:$<CXX_COMPILER_VERSION>,13>>:-Wno-restrict>)

# Every narrowing or sign-changing conversion written out, for the libraries that read and
# write file bytes, where an implicit one would change a value unnoticed.
add_library(konwerter_conversion_warnings INTERFACE)
target_compile_options(konwerter_conversion_warnings INTERFACE -Wconversion -Wsign-conversion)

# konwerter_library(<name> DIR <folder> [CONVERSION_WARNINGS] [DEPS <targets>...])
# A static library of every .cc file in one folder (not its subfolders). CONVERSION_WARNINGS
# makes every implicit narrowing or sign-changing conversion in it an error.
function(konwerter_library name)
  cmake_parse_arguments(ARG "CONVERSION_WARNINGS" "DIR" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${ARG_DIR}/*.cc)
  if(sources)
    add_library(${name} STATIC ${sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE konwerter_warnings)
    if(ARG_CONVERSION_WARNINGS)
      target_link_libraries(${name} PRIVATE konwerter_conversion_warnings)
    endif()
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
  endif()
endfunction()

# The Windows API without its min/max macros and rarely used parts; wide-character calls.
if(WIN32)
  add_compile_definitions(NOMINMAX WIN32_LEAN_AND_MEAN UNICODE _UNICODE)
endif()
