# Cross-compiles the shipped installer for 32-bit Windows with Debian's mingw-w64.
set(TOOLCHAIN_PREFIX i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(PENDREL_WINEARCH win32)
# The old non-NT line ran on 486 and Pentium-class machines: nothing newer than an i486 may
# be assumed (the compiler's own default would allow CMOV and friends, Pentium Pro on).
set(PENDREL_ARCH_FLAGS "-march=i486")
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
