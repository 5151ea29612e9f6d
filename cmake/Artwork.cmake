# The artwork test reads the generated bitmaps and form descriptions from the build folder:
# generate them before it is built and tell it where they are.
include_guard(GLOBAL)
include(${PROJECT_SOURCE_DIR}/cmake/NoticeArtwork.cmake)

if(TARGET native_TestArtwork)
    foreach(variant pelorin spelorin)
        notice_form_arguments(${variant} form)
        add_form_description(native_TestArtwork ${form} TEXT_VARIABLE ${variant}_form)
    endforeach()
    add_notice_artwork(artwork_dir)
    target_compile_definitions(native_TestArtwork PRIVATE
        ARTWORK_DIR="${artwork_dir}"
        PELORIN_FORM="${pelorin_form}"
        SPELORIN_FORM="${spelorin_form}")
endif()
