# The decoder's test reads the form descriptions as the build compresses them for the
# programs, and the fuzz target's seed corpus.
include_guard(GLOBAL)
include(${PROJECT_SOURCE_DIR}/cmake/NoticeArtwork.cmake)

if(TARGET native_TestLzDecode)
    foreach(variant pelorin spelorin)
        notice_form_arguments(${variant} form)
        add_form_description(native_TestLzDecode ${form} COMPRESSED_VARIABLE lz_form)
    endforeach()
    get_filename_component(lz_forms ${lz_form} DIRECTORY)
    target_compile_definitions(native_TestLzDecode PRIVATE
        LZ_FORMS="${lz_forms}"
        LZ_CORPUS="${PROJECT_SOURCE_DIR}/tests/fuzz/corpus/lz")
endif()
