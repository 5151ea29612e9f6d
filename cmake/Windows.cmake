# Real 32-bit Windows programs and the tests that run them under Wine. Two configurations
# share this file: the test configuration (the posix-thread compiler that GoogleTest needs)
# and the shipped one (SHIPPED_BUILD, the win32-thread compiler), which builds only the
# programs. The test configuration builds the shipped one inside its own build folder (see
# cmake/ShippedBuild.cmake) and runs the end-to-end tests on its executables.
option(SHIPPED_BUILD "Build only the shipped programs" OFF)

# A 64-bit configuration (cmake/mingw-x86_64.cmake) is for machines that run no 32-bit
# programs: it runs the unit tests and the end-to-end tests under the 64-bit Wine, on 64-bit
# builds of the programs made by a SHIPPED_BUILD of its own. Those are test builds: the
# product is the 32-bit programs, whose imports and size only the 32-bit configuration checks.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(WINDOWS_64BIT_TESTS ON)
endif()

add_compile_options(-Wall -Wextra -Os -ffunction-sections -fdata-sections)
add_compile_definitions(NOMINMAX STRICT)
add_link_options(-static -Wl,--gc-sections)

# The programs run on Windows XP: compiled for NT 5.1, a newer declaration is a compile error.
# The libraries are compiled so in both configurations (cmake/Libraries.cmake); the tests
# themselves may use newer functions.
set(WINDOWS_XP_DEFINITIONS _WIN32_WINNT=0x0501 WINVER=0x0501)
if(SHIPPED_BUILD)
    add_compile_definitions(${WINDOWS_XP_DEFINITIONS})
    # The programs are optimised whole at link time, which drops what no path reaches and
    # shares what is the same: about a fifth of their size. The objects keep their machine
    # code too (fat), for the lazy-import writer reads their references with nm. One
    # partition: GCC 12 fails on this code when it splits the program.
    add_compile_options(-flto -ffat-lto-objects)
    add_link_options(-flto -flto-partition=one)
endif()

include(${PROJECT_SOURCE_DIR}/cmake/Libraries.cmake)
# Everything the programs and the Wine tests may use: the package, tessel and the framework.
add_library(tessel_win INTERFACE)
target_link_libraries(tessel_win INTERFACE kx_package)

if(SHIPPED_BUILD)
    foreach(part launcher gallery)
        add_subdirectory(${part})
    endforeach()
    return()
endif()

include(${PROJECT_SOURCE_DIR}/cmake/ShippedBuild.cmake)

add_googletest()
file(GLOB win_support CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/support/*.cpp)
add_library(test_support STATIC ${win_support})
target_include_directories(test_support PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(test_support PUBLIC tessel_win GTest::gtest)

# The C++ library's logic errors end a test as they end a program (see StdFailures.cpp).
# The programs link only the first file (launcher/CMakeLists.txt).
add_library(std_failures OBJECT ${PROJECT_SOURCE_DIR}/launcher/StdFailures.cpp
                                ${PROJECT_SOURCE_DIR}/launcher/StdRuntimeErrors.cpp)

add_test_executables(win ${PROJECT_SOURCE_DIR}/tests/win
                     LIBRARIES std_failures test_support tessel_win)
# The same check in the programs' own runtime.
add_executable(win_TestLogicErrors ${PROJECT_SOURCE_DIR}/tests/native/TestLogicErrors.cpp)
target_link_libraries(win_TestLogicErrors PRIVATE std_failures tessel_win GTest::gtest_main)
add_test(NAME win.TestLogicErrors COMMAND win_TestLogicErrors)

set(windows_parts launcher gallery tests/e2e tests/imports tools/bench)
if(WINDOWS_64BIT_TESTS)
    # The import and size checks read the 32-bit programs that ship.
    list(REMOVE_ITEM windows_parts tests/imports)
endif()
foreach(part ${windows_parts})
    if(EXISTS ${PROJECT_SOURCE_DIR}/${part}/CMakeLists.txt)
        add_subdirectory(${part})
    endif()
endforeach()
