# Builds the same sources as 64-bit Windows programs. The tests run this way
# on machines whose kernel runs 64-bit user code only, where Wine's 32-bit
# loader cannot start; the shipped installer is the i686 build.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_PREFIX x86_64-w64-mingw32)
set(MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
