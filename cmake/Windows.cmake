# Real 32-bit Windows programs and the tests that run them under Wine.
add_compile_options(-Wall -Wextra -Os -ffunction-sections -fdata-sections)
add_compile_definitions(NOMINMAX STRICT)
add_link_options(-static -Wl,--gc-sections)

file(GLOB_RECURSE LIBRARY_SOURCES CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/framework/*.cpp
     ${PROJECT_SOURCE_DIR}/tessel/*.cpp
     ${PROJECT_SOURCE_DIR}/KxPackage/*.cpp)
add_library(tessel_win STATIC ${LIBRARY_SOURCES})
target_include_directories(tessel_win PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(tessel_win PUBLIC gdi32 user32 advapi32 comctl32 shell32 msimg32)

add_googletest()
file(GLOB win_support CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/support/*.cpp)
add_library(test_support STATIC ${win_support})
target_include_directories(test_support PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(test_support PUBLIC tessel_win GTest::gtest)

# The C++ library's logic errors end a test as they end a program (see StdFailures.cpp).
# The programs link only the first file (launcher/NoticeForm.cmake).
add_library(std_failures OBJECT ${PROJECT_SOURCE_DIR}/launcher/StdFailures.cpp
                                ${PROJECT_SOURCE_DIR}/launcher/StdRuntimeErrors.cpp)
add_library(program_std_failures OBJECT ${PROJECT_SOURCE_DIR}/launcher/StdFailures.cpp)

add_test_executables(win ${PROJECT_SOURCE_DIR}/tests/win
                     LIBRARIES std_failures test_support tessel_win)
# The same check in the programs' own runtime.
add_executable(win_TestLogicErrors ${PROJECT_SOURCE_DIR}/tests/native/TestLogicErrors.cpp)
target_link_libraries(win_TestLogicErrors PRIVATE std_failures tessel_win GTest::gtest_main)
add_test(NAME win.TestLogicErrors COMMAND win_TestLogicErrors)

foreach(part launcher gallery tests/e2e tools)
    if(EXISTS ${PROJECT_SOURCE_DIR}/${part}/CMakeLists.txt)
        add_subdirectory(${part})
    endif()
endforeach()
