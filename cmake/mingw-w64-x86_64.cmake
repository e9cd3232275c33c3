# Cross-builds the Windows programs (64-bit) on Debian with MinGW-w64, posix thread model.
# Test programs run through Wine; header-only packages of the build machine (nlohmann-json)
# are found in its /usr.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_prefix x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_prefix}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingw_prefix} /usr)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

# Every program carries its C and C++ run-time libraries and winpthread, so a bare Windows
# workstation runs it without extra DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(KONWERTER_WINE NAMES wine wine64)
if(KONWERTER_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${KONWERTER_WINE})
endif()
