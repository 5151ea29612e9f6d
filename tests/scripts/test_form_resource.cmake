# add_form_description() (cmake/FormResource.cmake) in a small project of its own: two targets
# share one form, the form carries the artwork's bytes, the compressed file decodes to the
# form, redrawn artwork rewrites both, and a second template under the same name is refused.
#   cmake -DFORM_RESOURCE=cmake/FormResource.cmake -DPYTHON=<python3> -DWORK=<scratch folder>
#         -P test_form_resource.cmake
cmake_minimum_required(VERSION 3.25)
get_filename_component(compressor ${FORM_RESOURCE}/../../tools/build/compress-form.py ABSOLUTE)

set(source ${WORK}/source)
set(build ${WORK}/build)
file(REMOVE_RECURSE ${WORK})
file(WRITE ${source}/Probe.form.in "object Probe: TProbe\n  Blob.Data = @file(blob.bin)\nend\n")
file(WRITE ${source}/Other.form.in "object Other: TOther\nend\n")
file(WRITE ${source}/art/blob.bin "AB")
file(WRITE ${source}/CMakeLists.txt "
cmake_minimum_required(VERSION 3.25)
project(probe LANGUAGES NONE)
include(${FORM_RESOURCE})
set(form_args Probe TEMPLATE \${CMAKE_SOURCE_DIR}/Probe.form.in
    ARTWORK_DIR \${CMAKE_SOURCE_DIR}/art DEPENDS \${CMAKE_SOURCE_DIR}/art/blob.bin)
add_custom_target(first ALL)
add_custom_target(second ALL)
add_form_description(first \${form_args} TEXT_VARIABLE text)
add_form_description(second \${form_args} COMPRESSED_VARIABLE compressed)
file(WRITE \${CMAKE_BINARY_DIR}/paths.txt \"\${text}\\n\${compressed}\\n\")
if(SECOND_TEMPLATE)
    add_form_description(second Probe TEMPLATE \${CMAKE_SOURCE_DIR}/Other.form.in
                         ARTWORK_DIR \${CMAKE_SOURCE_DIR}/art)
endif()
")

set(failures)
function(run what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE output
                    ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${what} failed (${result}): ${output}")
    endif()
endfunction()

# The form and its compressed twin must hold the artwork's bytes as they are now.
function(expect_blob hex)
    file(STRINGS ${build}/paths.txt paths)
    list(GET paths 0 text)
    list(GET paths 1 compressed)
    if(NOT text STREQUAL "${build}/forms/Probe.form" OR
       NOT compressed STREQUAL "${build}/forms/Probe.form.lz")
        list(APPEND failures "the form's paths are ${paths}")
    endif()
    file(READ ${text} form)
    set(wanted "object Probe: TProbe\n  Blob.Data = {\n    ${hex}}\nend\n")
    if(NOT form STREQUAL wanted)
        list(APPEND failures "the form reads '${form}', not '${wanted}'")
    endif()
    run("decoding" ${PYTHON} ${compressor} --decode ${compressed} ${WORK}/decoded.form)
    file(READ ${WORK}/decoded.form decoded)
    if(NOT decoded STREQUAL form)
        list(APPEND failures "the compressed form decodes to '${decoded}'")
    endif()
    set(failures ${failures} PARENT_SCOPE)
endfunction()

run("configuring" ${CMAKE_COMMAND} -S ${source} -B ${build} -G Ninja)
run("building" ${CMAKE_COMMAND} --build ${build})
expect_blob(4142)

# Redrawn artwork: the build must write the form and its compressed twin again.
file(WRITE ${source}/art/blob.bin "XYZ")
run("rebuilding" ${CMAKE_COMMAND} --build ${build})
expect_blob(58595A)

execute_process(COMMAND ${CMAKE_COMMAND} -S ${source} -B ${build} -DSECOND_TEMPLATE=ON
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
string(REGEX REPLACE "[ \n]+" " " output "${output}")
string(FIND "${output}" "Form Probe is already made from ${source}/Probe.form.in" at)
if(result EQUAL 0 OR at EQUAL -1)
    list(APPEND failures "a second template under one name gave ${result}: ${output}")
endif()

if(failures)
    list(JOIN failures "\n" report)
    message(FATAL_ERROR "${report}")
endif()
