# The notice window's form description as the programs carry it: compressed.
#
#   add_compressed_notice_form(<target> <variant> <out_var>)
#       Writes <binary dir>/notice-form/MainForm.<variant>.form from the template
#       launcher/MainForm.<variant>.form.in with the artwork of cmake/NoticeArtwork.cmake inlined
#       (tools/build/inline-form.py), compresses it into MainForm.<variant>.form.lz
#       (tools/build/compress-form.py), makes <target> depend on both and stores the path of the
#       compressed file in <out_var>. The rules are made once per directory and variant, so
#       any number of targets may ask.
#
#   add_notice_form_resource(<target> <variant>)
#       Builds the compressed form into <target> as the RCDATA resource TMAINFORM, through a
#       resource script written into the binary directory.
#
# The form is stored compressed because the 400 x 190 skin written as hex text makes the
# description about 550 KB, most of an executable; compressed it is under 8 KB.

include_guard(GLOBAL)
include(${CMAKE_CURRENT_LIST_DIR}/NoticeArtwork.cmake)

function(add_compressed_notice_form target variant out_var)
    set(dir ${CMAKE_CURRENT_BINARY_DIR}/notice-form)
    set(form ${dir}/MainForm.${variant}.form)
    set(compressed ${form}.lz)
    get_directory_property(done COMPRESSED_NOTICE_FORM_${variant})
    if(NOT done)
        add_notice_artwork(artwork_dir)
        set(artwork ${NOTICE_ARTWORK_FILES})
        list(TRANSFORM artwork PREPEND ${artwork_dir}/)
        set(template ${PROJECT_SOURCE_DIR}/launcher/MainForm.${variant}.form.in)
        add_custom_command(
            OUTPUT ${form}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
            COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/tools/build/inline-form.py
                    ${template} ${form} ${artwork_dir}
            DEPENDS ${PROJECT_SOURCE_DIR}/tools/build/inline-form.py ${template} ${artwork}
            COMMENT "Writing the form description MainForm.${variant}.form"
            VERBATIM)
        add_custom_command(
            OUTPUT ${compressed}
            COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/tools/build/compress-form.py
                    ${form} ${compressed}
            DEPENDS ${PROJECT_SOURCE_DIR}/tools/build/compress-form.py ${form}
            COMMENT "Compressing the form description MainForm.${variant}.form"
            VERBATIM)
        string(MAKE_C_IDENTIFIER "${CMAKE_CURRENT_BINARY_DIR}" dir_id)
        string(MD5 dir_id "${dir_id}")
        string(SUBSTRING ${dir_id} 0 8 dir_id)
        add_custom_target(notice_form_${variant}_${dir_id} DEPENDS ${form} ${compressed})
        set_directory_properties(PROPERTIES COMPRESSED_NOTICE_FORM_${variant}
                                            notice_form_${variant}_${dir_id})
        set(done notice_form_${variant}_${dir_id})
    endif()
    add_dependencies(${target} ${done})
    set(${out_var} ${compressed} PARENT_SCOPE)
endfunction()

function(add_notice_form_resource target variant)
    add_compressed_notice_form(${target} ${variant} compressed)
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_form.rc)
    file(CONFIGURE OUTPUT ${rc} CONTENT "TMAINFORM RCDATA \"${compressed}\"\n")
    target_sources(${target} PRIVATE ${rc})
    set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS ${compressed})
endfunction()
