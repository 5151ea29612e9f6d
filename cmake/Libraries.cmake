# The libraries, one target per layer, each linking only the layers below it. Which layer may
# include which is checked on every build by cmake/CheckLayers.cmake, which holds the table.
# A new source is picked up by the folder it lies in (re-globbed at build time).

# A layer target from the sources of one folder: a static library, or an interface target
# when the folder holds only headers.
function(add_layer target folder)
    cmake_parse_arguments(ARG "RECURSE" "" "DEPENDS" ${ARGN})
    if(ARG_RECURSE)
        file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
    else()
        file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
    endif()
    if(sources)
        add_library(${target} STATIC ${sources})
        target_compile_definitions(${target} PRIVATE ${WINDOWS_XP_DEFINITIONS})
        target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
        target_link_libraries(${target} PUBLIC ${ARG_DEPENDS})
    else()
        add_library(${target} INTERFACE)
        target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR})
        target_link_libraries(${target} INTERFACE ${ARG_DEPENDS})
    endif()
endfunction()

# The portable layers of the framework (PORTABLE_FRAMEWORK_LAYERS).
add_layer(framework_core framework/core)
add_layer(framework_codec framework/codec DEPENDS framework_core)
add_layer(framework_streaming framework/streaming DEPENDS framework_core)

if(WIN32)
    # framework/win/Win.h is the one way into <windows.h>; the system libraries come with it.
    add_layer(framework_win framework/win)
    target_link_libraries(framework_win INTERFACE gdi32 user32 advapi32 comctl32 shell32 msimg32)
    add_layer(framework_graphics framework/graphics
              DEPENDS framework_codec framework_core framework_win)
    add_layer(framework_ui framework/ui
              DEPENDS framework_graphics framework_streaming framework_codec framework_core
                      framework_win)
    add_layer(tessel tessel RECURSE DEPENDS framework_ui)
    add_layer(kx_package KxPackage RECURSE DEPENDS tessel framework_ui)
else()
    # Natively, the portable files of the layers above the framework.
    add_library(portable_libraries STATIC ${PORTABLE_LIBRARY_SOURCES})
    target_include_directories(portable_libraries PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(portable_libraries PUBLIC framework_streaming framework_codec
                                                    framework_core)
endif()

# The layering check runs whenever a file of the libraries changes, and fails the build.
file(GLOB_RECURSE layered_files CONFIGURE_DEPENDS
     ${PROJECT_SOURCE_DIR}/framework/*.h ${PROJECT_SOURCE_DIR}/framework/*.cpp
     ${PROJECT_SOURCE_DIR}/tessel/*.h ${PROJECT_SOURCE_DIR}/tessel/*.cpp
     ${PROJECT_SOURCE_DIR}/KxPackage/*.h ${PROJECT_SOURCE_DIR}/KxPackage/*.cpp)
set(layers_stamp ${CMAKE_BINARY_DIR}/layers.stamp)
add_custom_command(
    OUTPUT ${layers_stamp}
    COMMAND ${CMAKE_COMMAND} -DROOT=${PROJECT_SOURCE_DIR} -P
            ${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake
    COMMAND ${CMAKE_COMMAND} -E touch ${layers_stamp}
    DEPENDS ${layered_files} ${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake
    COMMENT "Checking the includes against the layering"
    VERBATIM)
add_custom_target(check_layers ALL DEPENDS ${layers_stamp})
