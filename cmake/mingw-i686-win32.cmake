# Cross-compiles the shipped 32-bit Windows programs with the win32 thread-model compiler:
# its static runtime imports only functions Windows XP has (the posix one's winpthreads
# imports GetTickCount64). Tests keep cmake/mingw-i686.cmake, since GoogleTest needs
# std::mutex.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
