# Cross-compiles the shipped installer for 32-bit Windows with Debian's mingw-w64.
set(TOOLCHAIN_PREFIX i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(PENDREL_WINEARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
