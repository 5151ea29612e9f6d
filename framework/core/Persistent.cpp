#include "framework/core/Persistent.h"

#include "framework/core/Exceptions.h"

void TPersistent::Assign(TPersistent* source) {
    if (source) {
        source->AssignTo(this);
        return;
    }
    AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* dest) { dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* source) {
    const std::string sourceName = source ? source->ClassName() : "nil";
    throw EConvertError(AnsiString("Cannot assign a " + sourceName + " to a " + ClassName()));
}
