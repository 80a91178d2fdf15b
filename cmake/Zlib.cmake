# zlib, built from the vendored sources for inflating only: the installer reads
# zlib streams and computes Adler-32, and never compresses, so deflate, the
# gzip wrapper and CRC-32 stay out. The release and the tests link this same
# library. Sets LKP_ZLIB to the target.
get_filename_component(_lkp_zlib_dir ${CMAKE_CURRENT_LIST_DIR}/../third_party/zlib ABSOLUTE)
add_library(lkp_zlib STATIC
    ${_lkp_zlib_dir}/adler32.c ${_lkp_zlib_dir}/inflate.c ${_lkp_zlib_dir}/inftrees.c
    ${_lkp_zlib_dir}/inffast.c ${_lkp_zlib_dir}/zutil.c)
# SYSTEM: the vendored zlib.h wins over a zlib.h of the toolchain, and its
# warnings are not ours.
target_include_directories(lkp_zlib SYSTEM PUBLIC ${_lkp_zlib_dir})
# NO_GZIP: zlib streams only, which also drops CRC-32 and its tables.
target_compile_definitions(lkp_zlib PRIVATE NO_GZIP)
if(MINGW)
    # No exception ever passes through zlib (it allocates with malloc and
    # calls nothing of ours), so it needs no unwind tables.
    target_compile_options(lkp_zlib PRIVATE -fno-asynchronous-unwind-tables -fno-unwind-tables)
endif()
set(LKP_ZLIB lkp_zlib)
