#pragma once
#include "framework/core/Object.h"

// An object whose contents can be copied from another with Assign. Assign asks the source
// to copy itself (AssignTo); a source that does not know the destination's class refuses
// with EConvertError "Cannot assign a <source> to a <destination>".
class TPersistent : public TObject {
public:
    virtual void Assign(TPersistent* source);

protected:
    virtual void AssignTo(TPersistent* dest);
    [[noreturn]] void AssignError(TPersistent* source);
};
