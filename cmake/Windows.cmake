# Real 32-bit Windows programs and the tests that run them under Wine.
add_compile_options(-Wall -Wextra -Os -ffunction-sections -fdata-sections)
add_compile_definitions(NOMINMAX STRICT)
add_link_options(-static -Wl,--gc-sections)

include(${PROJECT_SOURCE_DIR}/cmake/Libraries.cmake)
# Everything the programs and the Wine tests may use: the package, tessel and the framework.
add_library(tessel_win INTERFACE)
target_link_libraries(tessel_win INTERFACE kx_package)

add_googletest()
file(GLOB win_support CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/support/*.cpp)
add_library(test_support STATIC ${win_support})
target_include_directories(test_support PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(test_support PUBLIC tessel_win GTest::gtest)

add_test_executables(win ${PROJECT_SOURCE_DIR}/tests/win LIBRARIES test_support tessel_win)

foreach(part launcher gallery tests/e2e tools)
    if(EXISTS ${PROJECT_SOURCE_DIR}/${part}/CMakeLists.txt)
        add_subdirectory(${part})
    endif()
endforeach()
