# The notice window's artwork, drawn at build time, and its form descriptions.
#
#   add_notice_artwork(<dir_var> [<files_var>])
#       Draws skin.bmp and the three button bitmaps into <binary dir>/artwork with
#       tools/build/make-artwork.py, stores that folder in <dir_var> and the bitmaps' paths in
#       <files_var>. The rule is made once per directory.
#
#   notice_form_arguments(<variant> <out_var>)
#       Stores in <out_var> the arguments of add_form_resource() and add_form_description()
#       (cmake/FormResource.cmake) for the form MainForm.<variant>, made from
#       launcher/MainForm.<variant>.form.in with this artwork.

include_guard(GLOBAL)
include(${CMAKE_CURRENT_LIST_DIR}/FormResource.cmake)

function(add_notice_artwork dir_var)
    # Variables and imported targets made beside include_guard() reach only the first
    # includer's directory.
    find_package(Python3 REQUIRED COMPONENTS Interpreter)
    set(tools ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../tools/build)
    set(dir ${CMAKE_CURRENT_BINARY_DIR}/artwork)
    set(outputs skin.bmp button_raised.bmp button_sunken.bmp button_focused.bmp)
    list(TRANSFORM outputs PREPEND ${dir}/)
    get_directory_property(done NOTICE_ARTWORK_DONE)
    if(NOT done)
        add_custom_command(
            OUTPUT ${outputs}
            COMMAND Python3::Interpreter ${tools}/make-artwork.py ${dir}
            DEPENDS ${tools}/make-artwork.py
            COMMENT "Drawing the notice window's artwork"
            VERBATIM)
        set_directory_properties(PROPERTIES NOTICE_ARTWORK_DONE TRUE)
    endif()
    set(${dir_var} ${dir} PARENT_SCOPE)
    if(ARGC GREATER 1)
        set(${ARGV1} ${outputs} PARENT_SCOPE)
    endif()
endfunction()

function(notice_form_arguments variant out_var)
    add_notice_artwork(dir files)
    set(${out_var}
        MainForm.${variant}
        TEMPLATE ${PROJECT_SOURCE_DIR}/launcher/MainForm.${variant}.form.in
        ARTWORK_DIR ${dir}
        DEPENDS ${files}
        PARENT_SCOPE)
endfunction()
