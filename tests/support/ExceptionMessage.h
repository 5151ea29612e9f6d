#pragma once
#include <string>

// Runs a statement that must throw E and yields the exception's message, or "(no exception)"
// when it returns; an exception of another type goes on and fails the test.
template <class E, class F> std::string MessageOf(F&& statement) {
    try {
        statement();
    } catch (const E& e) {
        return e.what();
    }
    return "(no exception)";
}
