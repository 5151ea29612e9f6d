#pragma once
#include <string>

#include "framework/core/Closure.h"

// Root of every framework class. ClassName() is the class's plain name (no namespace), as
// the framework's messages show it.
class TObject {
public:
    virtual ~TObject() = default;
    std::string ClassName() const;
};

// The plain class name in a compiler's name of a class type (typeid(T).name()): the last
// name of its scopes, without template arguments. The type name itself when it is not one.
std::string ClassNameOf(const char* typeName);

using TNotifyEvent = Closure<void(TObject* Sender)>;
