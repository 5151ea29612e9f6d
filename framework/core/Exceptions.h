#pragma once
#include <exception>
#include <string>

#include "framework/core/AnsiString.h"

// The framework's exception root: every failure inside the framework arrives as one of these.
class Exception : public std::exception {
public:
    explicit Exception(const AnsiString& message) : Message(message) {}
    const char* what() const noexcept override { return Message.c_str(); }
    AnsiString Message;
};

#define FRAMEWORK_EXCEPTION(Name, Base)                                                      \
    class Name : public Base {                                                               \
    public:                                                                                  \
        using Base::Base;                                                                    \
    }

FRAMEWORK_EXCEPTION(EConvertError, Exception);   // assignment between unrelated classes
FRAMEWORK_EXCEPTION(ERangeError, Exception);     // index out of range
FRAMEWORK_EXCEPTION(EStreamError, Exception);    // reading or writing a stream
FRAMEWORK_EXCEPTION(EReadError, EStreamError);   // a malformed form description
FRAMEWORK_EXCEPTION(EFOpenError, EStreamError);  // a file that cannot be opened
FRAMEWORK_EXCEPTION(EInvalidGraphic, Exception); // a malformed or unsupported image
FRAMEWORK_EXCEPTION(EOutOfResources, Exception); // the system refused a handle
FRAMEWORK_EXCEPTION(EInvalidOperation, Exception);
