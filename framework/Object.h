#pragma once
#include <string>

#include "framework/Closure.h"

// Root of every framework class. ClassName() is the class's plain name (no namespace), as
// the framework's messages show it.
class TObject {
public:
    virtual ~TObject() = default;
    std::string ClassName() const;
};

using TNotifyEvent = Closure<void(TObject* Sender)>;
