# Sources that need no Win32: they build in both configurations, and natively they run
# under AddressSanitizer and UndefinedBehaviorSanitizer. Add a file here when it is portable.
set(PORTABLE_SOURCES
    framework/AnsiString.cpp
    framework/BmpCodec.cpp
    framework/ColorNames.cpp
    framework/Component.cpp
    framework/DateTime.cpp
    framework/FormReader.cpp
    framework/FormText.cpp
    framework/FormTextWriter.cpp
    framework/FormWriter.cpp
    framework/LzDecode.cpp
    framework/Object.cpp
    framework/Persistent.cpp
    framework/Published.cpp
    framework/Stream.cpp
    KxPackage/Source/NumLed.cpp
    KxPackage/Source/NumLedDigits.cpp
    launcher/LaunchNames.cpp
    tessel/Component/Source/LED.cpp
    tessel/Graphics/Source/FigureBase.cpp
    tessel/System/Source/Assert.cpp
)
list(TRANSFORM PORTABLE_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/)
