# What both cross toolchains share; the per-architecture files set TOOLCHAIN_PREFIX,
# CMAKE_SYSTEM_PROCESSOR and PENDREL_WINEARCH, then include this one.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${TOOLCHAIN_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++)
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Calls into system DLLs go through each import's plain stub, not straight through its
# address slot: the i386 linker keeps a delay-load library member's code, which holds the
# thunk its slot must start out pointing at, only when something refers to that stub. With
# the headers' dllimport decoration the slot alone is referred to, the thunk is dropped and
# the slot is linked as 0. Both builds call the same way.
set(CMAKE_C_FLAGS_INIT "${PENDREL_ARCH_FLAGS} -DDECLSPEC_IMPORT=")
set(CMAKE_CXX_FLAGS_INIT "${PENDREL_ARCH_FLAGS} -DDECLSPEC_IMPORT=")
# Tests of Windows code run under Wine; scripts/wine-run.sh picks the loader and the prefix
# from PENDREL_WINEARCH, which each test's environment carries.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)
