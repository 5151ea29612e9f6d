# Code that needs no Win32: it builds in both configurations, and natively it runs under
# AddressSanitizer and UndefinedBehaviorSanitizer. In the framework that is every file of the
# portable folders (a file that needs Win32 belongs in graphics or ui); the layers above mix
# the two, so their portable files are listed.
set(PORTABLE_FRAMEWORK_LAYERS core codec streaming)
set(PORTABLE_LIBRARY_SOURCES
    KxPackage/Source/NumLed.cpp
    KxPackage/Source/NumLedDigits.cpp
    launcher/LaunchNames.cpp
    tessel/Component/Source/LED.cpp
    tessel/Graphics/Source/FigureBase.cpp
    tessel/System/Source/Assert.cpp
)
list(TRANSFORM PORTABLE_LIBRARY_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/)

# All of it, for the targets that build every portable file with flags of their own.
set(PORTABLE_SOURCES ${PORTABLE_LIBRARY_SOURCES})
foreach(layer ${PORTABLE_FRAMEWORK_LAYERS})
    file(GLOB layer_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/framework/${layer}/*.cpp)
    list(APPEND PORTABLE_SOURCES ${layer_sources})
endforeach()
