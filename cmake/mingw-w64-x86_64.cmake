# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64-posix), the
# toolchain of the "windows" preset. The posix thread model is the one whose C++ runtime has
# std::thread and std::mutex. Test programs run under Wine (tests/support/wine.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(GLIMMERDECK_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${GLIMMERDECK_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GLIMMERDECK_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${GLIMMERDECK_MINGW}-windres)
# CMake finds the binutils from the compiler's name, which the "-posix" ending hides from it.
set(CMAKE_AR ${GLIMMERDECK_MINGW}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${GLIMMERDECK_MINGW}-ranlib CACHE FILEPATH "")

# Headers and libraries come from the Windows side only, programs from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${GLIMMERDECK_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# ctest runs each .exe through this, in a Wine prefix of the test's own.
get_filename_component(GLIMMERDECK_WINE_RUNNER ${CMAKE_CURRENT_LIST_DIR}/../tests/support/wine.sh
  ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR bash ${GLIMMERDECK_WINE_RUNNER})
