# Cross-compiles the installer into a 32-bit Windows executable with MinGW-w64.
# The installer has one thread: the win32 thread model keeps the 30 KB
# pthreads emulation, which the posix model's runtime needs, out of it.
# (The test programs need the posix model: GoogleTest uses std::mutex.)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_PREFIX i686-w64-mingw32)
set(MINGW_THREADS win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
