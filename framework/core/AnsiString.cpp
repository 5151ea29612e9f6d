#include "framework/core/AnsiString.h"

#include "framework/core/Exceptions.h"

namespace {
void CheckIndex(int index, int length) {
    if (index < 1 || index > length)
        throw ERangeError("String index out of range (" + std::to_string(index) + ")");
}
} // namespace

char AnsiString::operator[](int index) const {
    CheckIndex(index, Length());
    return m_text[static_cast<size_t>(index - 1)];
}

char& AnsiString::operator[](int index) {
    CheckIndex(index, Length());
    return m_text[static_cast<size_t>(index - 1)];
}
