# The notice window of both programs: TMainForm built once per program (spelorin's with
# SILENT_SETUP, which changes the class). add_form_resource() puts its compressed form
# description TMAINFORM into an executable. StdFailures.cpp keeps the C++ library's
# logic-error exceptions out of the programs (see there), for their size.
include(${PROJECT_SOURCE_DIR}/cmake/NoticeArtwork.cmake)

foreach(program pelorin spelorin)
    add_library(notice_form_${program} STATIC ${CMAKE_CURRENT_LIST_DIR}/MainForm.cpp)
    target_link_libraries(notice_form_${program} PUBLIC tessel_win)
    target_compile_definitions(notice_form_${program} PRIVATE ${WINDOWS_XP_DEFINITIONS})
endforeach()
# PUBLIC: whoever includes MainForm.h must see the same class.
target_compile_definitions(notice_form_spelorin PUBLIC SILENT_SETUP)

# The unit tests of the notice window read spelorin's form from their own resource.
if(TARGET win_TestMainForm)
    target_link_libraries(win_TestMainForm PRIVATE notice_form_spelorin)
    notice_form_arguments(spelorin form)
    add_form_resource(win_TestMainForm ${form})
endif()
