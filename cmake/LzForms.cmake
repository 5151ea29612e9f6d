# The decoder's test reads the form descriptions as the build compresses them for the
# programs, and the fuzz target's seed corpus.
include_guard(GLOBAL)
include(${PROJECT_SOURCE_DIR}/cmake/CompressedForm.cmake)

if(TARGET native_TestLzDecode)
    add_compressed_notice_form(native_TestLzDecode pelorin pelorin_lz)
    add_compressed_notice_form(native_TestLzDecode spelorin spelorin_lz)
    get_filename_component(lz_forms ${pelorin_lz} DIRECTORY)
    target_compile_definitions(native_TestLzDecode PRIVATE
        LZ_FORMS="${lz_forms}"
        LZ_CORPUS="${PROJECT_SOURCE_DIR}/tests/fuzz/corpus/lz")
endif()
