# Build-time generation of the notice window's artwork and form descriptions.
#
#   add_notice_artwork(<dir_var>)
#       Draws skin.bmp and the three button bitmaps into <binary dir>/artwork with
#       tools/build/make-artwork.py and stores that folder in <dir_var>. Once per directory.
#
#   add_notice_form(<target> <variant> <out_var> [RC_SOURCE <file.rc>])
#       Writes <binary dir>/MainForm.<variant>.form from launcher/MainForm.<variant>.form.in
#       with the bitmaps inlined (tools/build/inline-form.py), makes <target> depend on it and
#       stores its path in <out_var>. With RC_SOURCE, that resource script is recompiled
#       whenever the form changes.

include_guard(GLOBAL)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(NOTICE_ARTWORK_TOOLS ${PROJECT_SOURCE_DIR}/tools/build)
set(NOTICE_ARTWORK_FILES skin.bmp button_raised.bmp button_sunken.bmp button_focused.bmp)

function(add_notice_artwork dir_var)
    set(dir ${CMAKE_CURRENT_BINARY_DIR}/artwork)
    set(outputs ${NOTICE_ARTWORK_FILES})
    list(TRANSFORM outputs PREPEND ${dir}/)
    get_directory_property(done NOTICE_ARTWORK_DONE)
    if(NOT done)
        add_custom_command(
            OUTPUT ${outputs}
            COMMAND Python3::Interpreter ${NOTICE_ARTWORK_TOOLS}/make-artwork.py ${dir}
            DEPENDS ${NOTICE_ARTWORK_TOOLS}/make-artwork.py
            COMMENT "Drawing the notice window's artwork"
            VERBATIM)
        set_directory_properties(PROPERTIES NOTICE_ARTWORK_DONE TRUE)
    endif()
    set(${dir_var} ${dir} PARENT_SCOPE)
endfunction()

function(add_notice_form target variant out_var)
    cmake_parse_arguments(ARG "" "RC_SOURCE" "" ${ARGN})
    add_notice_artwork(dir)
    set(artwork ${NOTICE_ARTWORK_FILES})
    list(TRANSFORM artwork PREPEND ${dir}/)
    set(template ${PROJECT_SOURCE_DIR}/launcher/MainForm.${variant}.form.in)
    set(form ${CMAKE_CURRENT_BINARY_DIR}/MainForm.${variant}.form)
    add_custom_command(
        OUTPUT ${form}
        COMMAND Python3::Interpreter ${NOTICE_ARTWORK_TOOLS}/inline-form.py ${template} ${form} ${dir}
        DEPENDS ${NOTICE_ARTWORK_TOOLS}/inline-form.py ${template} ${artwork}
        COMMENT "Writing the form description MainForm.${variant}.form"
        VERBATIM)
    add_custom_target(${target}_${variant}_form DEPENDS ${form})
    add_dependencies(${target} ${target}_${variant}_form)
    if(ARG_RC_SOURCE)
        set_property(SOURCE ${ARG_RC_SOURCE} APPEND PROPERTY OBJECT_DEPENDS ${form})
    endif()
    set(${out_var} ${form} PARENT_SCOPE)
endfunction()
