# The layering check against small trees: each case writes one file with one include into a
# fresh tree and expects the check to pass, or to fail naming the file and what it included.
#   cmake -DCHECK=cmake/CheckLayers.cmake -DWORK=<scratch folder> -P test_check_layers.cmake
cmake_minimum_required(VERSION 3.25)

# name | file | include line | header the include reaches ("" if none) | expected failure text
# (empty: the check passes).
set(CASES
    "core_includes_ui|framework/core/Bad.h|#include \"framework/ui/Form.h\"||framework/core/Bad.h includes framework/ui/Form.h"
    "portable_includes_win|framework/streaming/Bad.cpp|#include \"framework/win/Win.h\"||framework/streaming/Bad.cpp includes framework/win/Win.h"
    "relative_path_upward|framework/codec/Bad.cpp|  #  include \"../graphics/Canvas.h\"|framework/graphics/Canvas.h|framework/codec/Bad.cpp includes framework/graphics/Canvas.h"
    "framework_includes_tessel|framework/ui/Bad.cpp|#include \"tessel/Graphics/WinRegion.h\"||framework/ui/Bad.cpp includes tessel/Graphics/WinRegion.h"
    "tessel_includes_package|tessel/System/Bad.h|#include \"KxPackage/Source/KxButton.h\"||tessel/System/Bad.h includes KxPackage/Source/KxButton.h"
    "library_includes_launcher|KxPackage/Source/Bad.cpp|#include \"launcher/MainForm.h\"||KxPackage/Source/Bad.cpp includes launcher/MainForm.h"
    "windows_header_directly|tessel/Graphics/Bad.cpp|#include <Windows.h>||tessel/Graphics/Bad.cpp includes <windows.h>"
    "file_outside_the_layers|framework/Loose.cpp|#include <string>||framework/Loose.cpp is in no layer"
    "same_folder_by_name|framework/core/Good.cpp|#include \"Object.h\"|framework/core/Object.h|"
    "ui_uses_every_framework_layer|framework/ui/Good.cpp|#include \"framework/streaming/Published.h\"||"
    "package_uses_tessel|KxPackage/Source/Good.cpp|#include \"tessel/Component/LED.h\"||"
    "win_header_includes_windows|framework/win/Win.h|#include <windows.h>||"
    "relative_path_inside_tessel|tessel/Graphics/Source/Good.cpp|#include \"../Shape.h\"|tessel/Graphics/Shape.h|"
)

set(failures)
foreach(case ${CASES})
    string(REPLACE "|" ";" fields "${case}")
    list(GET fields 0 name)
    list(GET fields 1 file)
    list(GET fields 2 include)
    list(GET fields 3 reached)
    list(GET fields 4 expected)
    set(tree ${WORK}/${name})
    file(REMOVE_RECURSE ${tree})
    file(WRITE ${tree}/${file} "${include}\n")
    if(reached)
        file(WRITE ${tree}/${reached} "")
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -DROOT=${tree} -P ${CHECK}
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    string(REGEX REPLACE "[ \n]+" " " output "${output}")
    if(expected)
        string(FIND "${output}" "${expected}" at)
        if(result EQUAL 0 OR at EQUAL -1)
            list(APPEND failures "${name}: expected a failure naming '${expected}', got ${result}: ${output}")
        endif()
    elseif(NOT result EQUAL 0)
        list(APPEND failures "${name}: expected a pass, got ${result}: ${output}")
    endif()
endforeach()

if(failures)
    list(JOIN failures "\n" report)
    message(FATAL_ERROR "${report}")
endif()
