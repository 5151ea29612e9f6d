# The gallery's counting variant for its end-to-end tests: the gallery's form and resources
# (gallery_core, gallery_resources) with an entry that takes the switch of ResourceCount.h,
# which counts GDI objects and windows while the clock runs.
if(NOT TARGET gallery_core)
    return()
endif()

# The Wine tests' resource counter as a library of its own, so that the counting gallery
# links it without the test framework.
add_library(gui_resource_counters STATIC ${PROJECT_SOURCE_DIR}/tests/support/WinGuiResources.cpp)
target_link_libraries(gui_resource_counters PUBLIC tessel_win)

add_executable(gallery-counting WIN32
               ${CMAKE_CURRENT_LIST_DIR}/GalleryCounting.cpp
               ${CMAKE_CURRENT_LIST_DIR}/ResourceCount.cpp
               ${PROJECT_SOURCE_DIR}/launcher/SystemLibraries.cpp
               $<TARGET_OBJECTS:gallery_core> $<TARGET_OBJECTS:gallery_resources>)
target_link_libraries(gallery-counting PRIVATE gui_resource_counters tessel_win)
target_link_options(gallery-counting PRIVATE -mwindows -s)
