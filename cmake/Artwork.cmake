# The artwork test reads the generated bitmaps and form descriptions from the build folder:
# generate them before it is built and tell it where they are.
include_guard(GLOBAL)
include(${PROJECT_SOURCE_DIR}/cmake/NoticeArtwork.cmake)

if(TARGET native_TestArtwork)
    add_notice_form(native_TestArtwork pelorin pelorin_form)
    add_notice_form(native_TestArtwork spelorin spelorin_form)
    add_notice_artwork(artwork_dir)
    target_compile_definitions(native_TestArtwork PRIVATE
        ARTWORK_DIR="${artwork_dir}"
        PELORIN_FORM="${pelorin_form}"
        SPELORIN_FORM="${spelorin_form}")
endif()
