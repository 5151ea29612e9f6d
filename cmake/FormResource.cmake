# Form descriptions as the programs carry them: a template with its artwork inlined, compressed,
# and stored as the RCDATA resource TMAINFORM.
#
#   add_form_description(<target> <name> TEMPLATE <file.form.in> ARTWORK_DIR <dir>
#                        [DEPENDS <file>...] [TEXT_VARIABLE <var>] [COMPRESSED_VARIABLE <var>])
#       Writes <binary dir>/forms/<name>.form from the template with the bitmaps of ARTWORK_DIR
#       inlined (tools/build/inline-form.py) and compresses it into <name>.form.lz
#       (tools/build/compress-form.py). DEPENDS names the artwork's files (or the stamp its
#       generator writes last), so that redrawn artwork rewrites the form. Makes <target>
#       depend on both files and stores their paths in the variables. The rules are made once
#       per directory and name, so any number of targets may ask for the same form.
#
#   add_form_resource(<target> <name> TEMPLATE ... ARTWORK_DIR ... [DEPENDS ...])
#       The same, and builds the compressed form into <target> as the resource TMAINFORM
#       through a one-line resource script.
#
# The forms are stored compressed because the bitmaps written as hex text make up most of a
# description: the notice's 400 x 190 skin alone makes it about 550 KB, compressed under 8 KB.

include_guard(GLOBAL)

function(add_form_description target name)
    cmake_parse_arguments(ARG "" "TEMPLATE;ARTWORK_DIR;TEXT_VARIABLE;COMPRESSED_VARIABLE"
                          "DEPENDS" ${ARGN})
    if(NOT ARG_TEMPLATE OR NOT ARG_ARTWORK_DIR OR ARG_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "add_form_description(${target} ${name}): give TEMPLATE and "
                            "ARTWORK_DIR, and nothing else (${ARG_UNPARSED_ARGUMENTS})")
    endif()
    # Variables and imported targets made beside include_guard() reach only the first
    # includer's directory.
    find_package(Python3 REQUIRED COMPONENTS Interpreter)
    set(tools ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/../tools/build)
    set(dir ${CMAKE_CURRENT_BINARY_DIR}/forms)
    set(form ${dir}/${name}.form)
    set(compressed ${form}.lz)
    get_directory_property(rules FORM_RULES_${name})
    if(NOT rules)
        add_custom_command(
            OUTPUT ${form}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
            COMMAND Python3::Interpreter ${tools}/inline-form.py
                    ${ARG_TEMPLATE} ${form} ${ARG_ARTWORK_DIR}
            DEPENDS ${tools}/inline-form.py ${ARG_TEMPLATE} ${ARG_DEPENDS}
            COMMENT "Writing the form description ${name}.form"
            VERBATIM)
        add_custom_command(
            OUTPUT ${compressed}
            COMMAND Python3::Interpreter ${tools}/compress-form.py
                    ${form} ${compressed}
            DEPENDS ${tools}/compress-form.py ${form}
            COMMENT "Compressing the form description ${name}.form"
            VERBATIM)
        # Target names are global: the directory's hash keeps two directories' rules apart.
        string(MD5 dir_id "${CMAKE_CURRENT_BINARY_DIR}")
        string(SUBSTRING ${dir_id} 0 8 dir_id)
        string(MAKE_C_IDENTIFIER "form_${name}_${dir_id}" rules)
        add_custom_target(${rules} DEPENDS ${form} ${compressed})
        set_directory_properties(PROPERTIES FORM_RULES_${name} ${rules}
                                            FORM_TEMPLATE_${name} ${ARG_TEMPLATE})
    else()
        # One name, one template: a second template would silently get the first one's form.
        get_directory_property(template FORM_TEMPLATE_${name})
        if(NOT template STREQUAL ARG_TEMPLATE)
            message(FATAL_ERROR "Form ${name} is already made from ${template} in this "
                                "directory, not from ${ARG_TEMPLATE}")
        endif()
    endif()
    add_dependencies(${target} ${rules})
    if(ARG_TEXT_VARIABLE)
        set(${ARG_TEXT_VARIABLE} ${form} PARENT_SCOPE)
    endif()
    if(ARG_COMPRESSED_VARIABLE)
        set(${ARG_COMPRESSED_VARIABLE} ${compressed} PARENT_SCOPE)
    endif()
endfunction()

function(add_form_resource target name)
    add_form_description(${target} ${name} ${ARGN} COMPRESSED_VARIABLE compressed)
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_form.rc)
    file(CONFIGURE OUTPUT ${rc} CONTENT "TMAINFORM RCDATA \"${compressed}\"\n")
    target_sources(${target} PRIVATE ${rc})
    # Source properties belong to a directory: set it where the target lives, which may be
    # another directory than the caller's.
    set_property(SOURCE ${rc} TARGET_DIRECTORY ${target} APPEND PROPERTY OBJECT_DEPENDS
                 ${compressed})
endfunction()
