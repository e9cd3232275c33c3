# Writes the version stamp of the programs: the project's version and the commit the sources
# come from (short hash, "-dirty" when tracked files differ from it, "unknown" outside a git
# checkout, e.g. built from a tarball). Run by the build on every build (cmake -P); a file
# is written only when its text changes, so a build of the same commit recompiles nothing.
#   cmake -DSOURCE_DIR=<checkout> -DOUTPUT_DIR=<folder> -DVERSION=<x.y> -P WriteVersionStamp.cmake
# Writes <folder>/konwerter_version_stamp.h (for C++ and the Windows resource compiler) and
# <folder>/version.txt (one line, "0.1 (abc1234)", for the packaging scripts).

set(commit unknown)
find_program(git_program git)
# Only the checkout's own history counts: sources unpacked inside another repository are not
# that repository's commit.
if(git_program AND EXISTS ${SOURCE_DIR}/.git)
  execute_process(
    COMMAND ${git_program} -C ${SOURCE_DIR} describe --always --dirty --abbrev=7 --exclude=*
    OUTPUT_VARIABLE described OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE status ERROR_QUIET)
  if(status EQUAL 0 AND described MATCHES "^[0-9a-f]+(-dirty)?$")
    set(commit ${described})
  endif()
endif()

string(REPLACE "." ";" parts "${VERSION}")
list(APPEND parts 0 0 0 0)
list(SUBLIST parts 0 4 parts)
list(JOIN parts "," numbers)
set(text "${VERSION} (${commit})")

set(header "// The version stamp, written by cmake/WriteVersionStamp.cmake at build time.
#pragma once
#define KONWERTER_VERSION \"${VERSION}\"
#define KONWERTER_COMMIT \"${commit}\"
#define KONWERTER_VERSION_TEXT \"${text}\"
#define KONWERTER_VERSION_NUMBERS ${numbers}
")

function(write_if_changed path content)
  if(EXISTS ${path})
    file(READ ${path} old)
    if(old STREQUAL content)
      return()
    endif()
  endif()
  file(WRITE ${path} "${content}")
endfunction()

write_if_changed(${OUTPUT_DIR}/konwerter_version_stamp.h "${header}")
write_if_changed(${OUTPUT_DIR}/version.txt "${text}\n")
