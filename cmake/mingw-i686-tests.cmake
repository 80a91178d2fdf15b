# The test programs for the 32-bit width: the installer's toolchain with the
# posix thread model, which GoogleTest needs (std::mutex, std::thread). The
# shipped installer keeps the win32 model (cmake/mingw-i686.cmake).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_PREFIX i686-w64-mingw32)
set(MINGW_THREADS posix)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
