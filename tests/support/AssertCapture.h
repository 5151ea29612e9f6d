#pragma once
#include <stdexcept>
#include <string>

#include "tessel/System/Assert.h"

// While alive, a failed TESSEL_ASSERT throws AssertionFailure carrying the exact report
// text instead of showing a box and ending the program.
struct AssertionFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class AssertCapture {
public:
    AssertCapture() : m_previous(tessel::SetAssertHandler(&Throw)) {}
    ~AssertCapture() { tessel::SetAssertHandler(m_previous); }
    AssertCapture(const AssertCapture&) = delete;
    AssertCapture& operator=(const AssertCapture&) = delete;

private:
    static void Throw(const char* expression, const char* file, int line) {
        throw AssertionFailure(tessel::AssertMessage(expression, file, line));
    }
    tessel::AssertHandler m_previous;
};

// Runs a statement that must fail a check and yields the report text ("" when none failed).
template <class F> std::string AssertionTextOf(F&& statement) {
    AssertCapture capture;
    try {
        statement();
    } catch (const AssertionFailure& failure) {
        return failure.what();
    }
    return "";
}
