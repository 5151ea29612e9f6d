# Sources that need no Win32: they build in both configurations, and natively they run
# under AddressSanitizer and UndefinedBehaviorSanitizer. Add a file here when it is portable.
set(PORTABLE_SOURCES
    framework/core/AnsiString.cpp
    framework/codec/BmpCodec.cpp
    framework/core/ColorNames.cpp
    framework/core/Component.cpp
    framework/core/DateTime.cpp
    framework/streaming/FormReader.cpp
    framework/streaming/FormText.cpp
    framework/streaming/FormTextWriter.cpp
    framework/streaming/FormWriter.cpp
    framework/streaming/LzDecode.cpp
    framework/core/Object.cpp
    framework/core/Persistent.cpp
    framework/streaming/Published.cpp
    framework/core/Stream.cpp
    KxPackage/Source/NumLed.cpp
    KxPackage/Source/NumLedDigits.cpp
    launcher/LaunchNames.cpp
    tessel/Component/Source/LED.cpp
    tessel/Graphics/Source/FigureBase.cpp
    tessel/System/Source/Assert.cpp
)
list(TRANSFORM PORTABLE_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/)
