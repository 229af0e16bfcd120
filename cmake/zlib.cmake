# zlib compiled from Debian's source package (fetched by scripts/zlib-source.sh) with our own
# flags: the prebuilt mingw zlib is built for a newer processor than the installer supports.
set(ZLIB_SOURCE_DIR "" CACHE PATH "Unpacked zlib source package (scripts/zlib-source.sh)")
if(NOT EXISTS "${ZLIB_SOURCE_DIR}/zlib.h")
    message(FATAL_ERROR "ZLIB_SOURCE_DIR does not hold zlib's source: run scripts/zlib-source.sh DIR")
endif()
# The installer only inflates and checks CRCs; the tests also deflate. The gz* file
# routines are left out: nothing reads or writes gzip files.
add_library(zlib STATIC
    ${ZLIB_SOURCE_DIR}/adler32.c ${ZLIB_SOURCE_DIR}/compress.c ${ZLIB_SOURCE_DIR}/crc32.c
    ${ZLIB_SOURCE_DIR}/deflate.c ${ZLIB_SOURCE_DIR}/infback.c ${ZLIB_SOURCE_DIR}/inffast.c
    ${ZLIB_SOURCE_DIR}/inflate.c ${ZLIB_SOURCE_DIR}/inftrees.c ${ZLIB_SOURCE_DIR}/trees.c
    ${ZLIB_SOURCE_DIR}/uncompr.c ${ZLIB_SOURCE_DIR}/zutil.c)
target_include_directories(zlib SYSTEM PUBLIC ${ZLIB_SOURCE_DIR})
target_compile_options(zlib PRIVATE -ffile-prefix-map=${ZLIB_SOURCE_DIR}=zlib)
pendrel_small(zlib)
