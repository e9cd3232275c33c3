# The programs' version: the project's version and the commit, stamped on every build (a new
# commit changes it without configuring again; an unchanged stamp rebuilds nothing).
# konwerter_version_stamp: the target that writes it; KONWERTER_VERSION_DIR: the folder of
# konwerter_version_stamp.h and version.txt.
set(KONWERTER_VERSION_DIR ${CMAKE_BINARY_DIR}/version)
file(MAKE_DIRECTORY ${KONWERTER_VERSION_DIR})
add_custom_target(konwerter_version_stamp
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DOUTPUT_DIR=${KONWERTER_VERSION_DIR}
    -DVERSION=${PROJECT_VERSION} -P ${PROJECT_SOURCE_DIR}/cmake/WriteVersionStamp.cmake
  BYPRODUCTS ${KONWERTER_VERSION_DIR}/konwerter_version_stamp.h ${KONWERTER_VERSION_DIR}/version.txt
  COMMENT "Version stamp"
  VERBATIM)
