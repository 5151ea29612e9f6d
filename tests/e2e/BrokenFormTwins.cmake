# Test-only twins of pelorin for the entry's exception report, built in the shipped
# configuration as pelorin is: one without the form resource TMAINFORM, one whose form
# description is corrupt (CorruptForm.form).
foreach(twin pelorin-noform pelorin-badform)
    add_executable(${twin} WIN32 $<TARGET_OBJECTS:entry_pelorin> StdFailures.cpp
                                 $<TARGET_OBJECTS:program_runtime>)
    target_link_libraries(${twin} PRIVATE launcher_core notice_form_pelorin tessel_win)
    target_link_options(${twin} PRIVATE -mwindows -s)
endforeach()
set(corrupt_form_rc ${CMAKE_CURRENT_BINARY_DIR}/corrupt_form.rc)
file(CONFIGURE OUTPUT ${corrupt_form_rc}
     CONTENT "TMAINFORM RCDATA \"${CMAKE_CURRENT_LIST_DIR}/CorruptForm.form\"\n")
target_sources(pelorin-badform PRIVATE ${corrupt_form_rc})
set_property(SOURCE ${corrupt_form_rc} APPEND PROPERTY OBJECT_DEPENDS
             ${CMAKE_CURRENT_LIST_DIR}/CorruptForm.form)
