# Cross-compiles the same sources for 64-bit Windows: the test build for hosts whose Wine
# cannot run 32-bit programs, and a check that the code is pointer-size clean.
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(PENDREL_WINEARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
