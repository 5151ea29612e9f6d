# The shipped programs, built by the test configuration as a configuration of their own in
# <build>/shipped with the win32-thread compiler (cmake/mingw-i686-win32.cmake). The
# end-to-end tests, the demo and the benches run these executables:
#   SHIPPED_PELORIN, SHIPPED_SPELORIN, SHIPPED_GALLERY  the programs
#   SHIPPED_LAZY_IMPORTS  the functions their lazy stubs bind (DLL!Function, one a line)
#   SHIPPED_NOFORM, SHIPPED_BADFORM  test twins of pelorin without / with a corrupt form
include(ExternalProject)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

# A 64-bit test configuration builds 64-bit twins of the programs for the 64-bit Wine, with
# its own (posix-thread) compiler: only the 32-bit programs ship.
set(SHIPPED_TOOLCHAIN ${PROJECT_SOURCE_DIR}/cmake/mingw-i686-win32.cmake)
if(WINDOWS_64BIT_TESTS)
    set(SHIPPED_TOOLCHAIN ${PROJECT_SOURCE_DIR}/cmake/mingw-x86_64.cmake)
endif()
set(SHIPPED_BINARY_DIR ${CMAKE_BINARY_DIR}/shipped)
set(SHIPPED_PELORIN ${SHIPPED_BINARY_DIR}/launcher/pelorin.exe)
set(SHIPPED_SPELORIN ${SHIPPED_BINARY_DIR}/launcher/spelorin.exe)
set(SHIPPED_GALLERY ${SHIPPED_BINARY_DIR}/gallery/gallery.exe)
set(SHIPPED_LAZY_IMPORTS ${SHIPPED_BINARY_DIR}/launcher/lazy_imports.txt)
set(SHIPPED_NOFORM ${SHIPPED_BINARY_DIR}/launcher/pelorin-noform.exe)
set(SHIPPED_BADFORM ${SHIPPED_BINARY_DIR}/launcher/pelorin-badform.exe)

ExternalProject_Add(shipped
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${SHIPPED_BINARY_DIR}
    CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${SHIPPED_TOOLCHAIN}
               -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
               -DPython3_EXECUTABLE=${Python3_EXECUTABLE}
               -DSHIPPED_BUILD=ON
    # The sources are this project's: the inner build decides what is out of date.
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    BUILD_BYPRODUCTS ${SHIPPED_PELORIN} ${SHIPPED_SPELORIN} ${SHIPPED_GALLERY}
                     ${SHIPPED_LAZY_IMPORTS} ${SHIPPED_NOFORM} ${SHIPPED_BADFORM}
    USES_TERMINAL_BUILD ON)
