# Host build of the portable code, under AddressSanitizer and UndefinedBehaviorSanitizer.
set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_compile_options(-Wall -Wextra -g ${SANITIZE})
add_link_options(${SANITIZE})

include(${PROJECT_SOURCE_DIR}/cmake/Libraries.cmake)
# Everything the native tests may use.
add_library(portable INTERFACE)
target_link_libraries(portable INTERFACE portable_libraries)

add_googletest()
file(GLOB native_support CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/support/*.cpp)
list(FILTER native_support EXCLUDE REGEX "/Win[^/]*\\.cpp$")
add_library(test_support STATIC ${native_support} ${PROJECT_SOURCE_DIR}/tests/support/Empty.cpp)
target_include_directories(test_support PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(test_support PUBLIC portable GTest::gtest)

# The C++ library's logic errors end a test as they end a program.
add_library(std_failures OBJECT ${PROJECT_SOURCE_DIR}/launcher/StdFailures.cpp
                                ${PROJECT_SOURCE_DIR}/launcher/StdRuntimeErrors.cpp)

add_test_executables(native ${PROJECT_SOURCE_DIR}/tests/native
                     LIBRARIES std_failures test_support portable)
include(${PROJECT_SOURCE_DIR}/cmake/Artwork.cmake)
include(${PROJECT_SOURCE_DIR}/cmake/LzForms.cmake)

# Fuzz targets (clang only): each runs its corpus once under CTest; tools/fuzz.sh fuzzes.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    # The code under test carries the fuzzer's coverage counters too, or it fuzzes blind.
    add_library(portable_fuzz STATIC EXCLUDE_FROM_ALL ${PORTABLE_SOURCES})
    target_include_directories(portable_fuzz PUBLIC ${PROJECT_SOURCE_DIR})
    target_compile_options(portable_fuzz PRIVATE -fsanitize=fuzzer-no-link)
    file(GLOB fuzz_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/fuzz/fuzz_*.cpp)
    foreach(source ${fuzz_sources})
        get_filename_component(stem ${source} NAME_WE)
        add_executable(${stem} ${source})
        target_compile_options(${stem} PRIVATE -fsanitize=fuzzer)
        target_link_options(${stem} PRIVATE -fsanitize=fuzzer)
        target_link_libraries(${stem} PRIVATE portable_fuzz)
        string(REGEX REPLACE "^fuzz_" "" corpus ${stem})
        add_test(NAME fuzz.${corpus}
                 COMMAND ${stem} -runs=0 ${PROJECT_SOURCE_DIR}/tests/fuzz/corpus/${corpus})
    endforeach()
endif()

# The install step against a fake package manager.
add_test(NAME script.install_deps COMMAND ${PROJECT_SOURCE_DIR}/tests/scripts/test_install_deps.sh)
# The size limit check the Windows build applies to the programs.
add_test(NAME script.check_size COMMAND ${PROJECT_SOURCE_DIR}/tests/scripts/test_check_size.sh)
# The end-to-end drivers' shared pieces, without Wine.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME script.e2e_harness
         COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tests/scripts/test_e2e_harness.py)

# The form description rules of the programs, in a small project of their own.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME script.form_resource
         COMMAND ${CMAKE_COMMAND} -DFORM_RESOURCE=${PROJECT_SOURCE_DIR}/cmake/FormResource.cmake
                 -DPYTHON=${Python3_EXECUTABLE} -DWORK=${CMAKE_BINARY_DIR}/form_resource -P
                 ${PROJECT_SOURCE_DIR}/tests/scripts/test_form_resource.cmake)

# The layering of the libraries, and the check itself against trees with bad includes.
add_test(NAME script.layers
         COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR} -P
                 ${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake)
add_test(NAME script.check_layers
         COMMAND ${CMAKE_COMMAND} -DCHECK=${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake
                 -DWORK=${CMAKE_BINARY_DIR}/check_layers -P
                 ${PROJECT_SOURCE_DIR}/tests/scripts/test_check_layers.cmake)
