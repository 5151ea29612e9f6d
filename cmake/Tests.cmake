# GoogleTest from the distribution's source package, built for whichever compiler this is.
set(GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")

function(add_googletest)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endfunction()

# One test executable per file: <prefix>_<file stem>, one CTest test per executable.
function(add_test_executables prefix directory)
    cmake_parse_arguments(ARG "" "" "LIBRARIES" ${ARGN})
    file(GLOB test_sources CONFIGURE_DEPENDS ${directory}/*.cpp)
    foreach(source ${test_sources})
        get_filename_component(stem ${source} NAME_WE)
        set(target ${prefix}_${stem})
        add_executable(${target} ${source})
        target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES} GTest::gtest_main)
        add_test(NAME ${prefix}.${stem} COMMAND ${target})
    endforeach()
endfunction()
