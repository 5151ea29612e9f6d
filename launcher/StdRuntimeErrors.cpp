// The rest of the C++ library's throwing hooks (see StdFailures.cpp), which still throw. The
// library keeps all its hooks in one file, so a program that calls one of these without
// defining them links the library's file, whose logic-error hooks clash with ours. The
// tests need them (the test framework calls them); the programs do not, and leave them out,
// for these exceptions bring the library's second string implementation.
#include <bits/functexcept.h>

#include <stdexcept>

namespace std {

void __throw_runtime_error(const char* what) {
    throw runtime_error(what);
}

void __throw_range_error(const char* what) {
    throw range_error(what);
}

void __throw_overflow_error(const char* what) {
    throw overflow_error(what);
}

void __throw_underflow_error(const char* what) {
    throw underflow_error(what);
}

} // namespace std
