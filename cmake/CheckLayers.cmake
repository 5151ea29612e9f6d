# Fails when a file of the libraries includes a header of a layer it may not use.
#   cmake -DROOT=<source tree> [-DGRAPH=ON] -P cmake/CheckLayers.cmake
# GRAPH=ON also prints the layer-to-layer includes that the tree really has.
cmake_minimum_required(VERSION 3.25)

if(NOT ROOT)
    message(FATAL_ERROR "CheckLayers.cmake needs -DROOT=<source tree>")
endif()

# Each layer, bottom-up, with the layers it may include. A layer may name only layers listed
# before it, so the include graph between layers cannot have a cycle. The portable layers
# (core, codec, streaming) stay free of framework/win, the one way into <windows.h>.
set(framework_all
    "framework/core framework/codec framework/streaming framework/win framework/graphics framework/ui")
set(LAYER_TABLE
    "framework/core:"
    "framework/codec:framework/core"
    "framework/streaming:framework/core"
    "framework/win:"
    "framework/graphics:framework/core framework/codec framework/win"
    "framework/ui:framework/core framework/codec framework/streaming framework/win framework/graphics"
    "tessel:${framework_all}"
    "KxPackage:${framework_all} tessel")
set(WINDOWS_HEADER_OWNER framework/win/Win.h)

set(layers)
foreach(entry ${LAYER_TABLE})
    string(REGEX MATCH "^([^:]+):(.*)$" _ "${entry}")
    set(layer ${CMAKE_MATCH_1})
    separate_arguments(uses UNIX_COMMAND "${CMAKE_MATCH_2}")
    foreach(used ${uses})
        if(NOT used IN_LIST layers)
            message(FATAL_ERROR "Layer ${layer} uses ${used}, which is not listed before it")
        endif()
    endforeach()
    list(APPEND layers ${layer})
    set(uses_${layer} ${uses})
endforeach()

# The layer a path (relative to ROOT) belongs to; the longest matching folder wins.
function(layer_of path out)
    set(found "")
    foreach(layer ${layers})
        string(LENGTH "${layer}" length)
        string(LENGTH "${found}" found_length)
        if(path MATCHES "^${layer}/" AND length GREATER found_length)
            set(found ${layer})
        endif()
    endforeach()
    set(${out} "${found}" PARENT_SCOPE)
endfunction()

set(errors)
set(edges)
file(GLOB_RECURSE files RELATIVE ${ROOT}
     ${ROOT}/framework/*.h ${ROOT}/framework/*.cpp
     ${ROOT}/tessel/*.h ${ROOT}/tessel/*.cpp
     ${ROOT}/KxPackage/*.h ${ROOT}/KxPackage/*.cpp)
list(SORT files)
foreach(file ${files})
    layer_of(${file} layer)
    if(NOT layer)
        list(APPEND errors "${file} is in no layer")
        continue()
    endif()
    file(STRINGS ${ROOT}/${file} lines REGEX "^[ \t]*#[ \t]*include")
    get_filename_component(folder ${file} DIRECTORY)
    foreach(line ${lines})
        if(line MATCHES "<([^>]+)>")
            string(TOLOWER "${CMAKE_MATCH_1}" system_header)
            if(system_header STREQUAL "windows.h" AND NOT file STREQUAL WINDOWS_HEADER_OWNER)
                list(APPEND errors "${file} includes <windows.h>: use ${WINDOWS_HEADER_OWNER}")
            endif()
            continue()
        endif()
        if(NOT line MATCHES "\"([^\"]+)\"")
            continue()
        endif()
        set(included ${CMAKE_MATCH_1})
        # The compiler looks beside the including file first, then from the tree's root.
        if(EXISTS ${ROOT}/${folder}/${included})
            cmake_path(SET target NORMALIZE "${folder}/${included}")
        else()
            cmake_path(SET target NORMALIZE "${included}")
        endif()
        layer_of(${target} target_layer)
        if(target_layer STREQUAL layer)
            continue()
        endif()
        if(NOT target_layer OR NOT target_layer IN_LIST uses_${layer})
            list(APPEND errors "${file} includes ${target}, but ${layer} may not use it")
        endif()
        if(target_layer)
            list(APPEND edges "${layer} -> ${target_layer}")
        endif()
    endforeach()
endforeach()

if(GRAPH)
    list(REMOVE_DUPLICATES edges)
    list(SORT edges)
    foreach(edge ${edges})
        message("${edge}")
    endforeach()
endif()
if(errors)
    list(JOIN errors "\n  " report)
    message(FATAL_ERROR "Includes against the layering:\n  ${report}")
endif()
