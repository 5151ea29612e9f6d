// How a program fails where the C++ library finds a logic error (an index out of range, a
// string or vector asked for more than it can hold, a string made from a null pointer): it
// ends abnormally at once, without unwinding, as an unchecked bug should. Nothing catches
// these exceptions, so they ended the program anyway; but throwing them takes the library's
// second string implementation and its exception classes with it, some 50 KB of every
// program. The tests link the same hooks, so a bad index ends a test run just as it ends a
// program. These are the library's own hooks for its throwing functions; the failures
// callers handle (memory, casts) still throw. StdRuntimeErrors.cpp has the rest of them.
#include <bits/functexcept.h>

#include <cstdlib>
#include <exception>
#include <new>
#include <typeinfo>

namespace std {

void __throw_logic_error(const char*) {
    abort();
}

void __throw_domain_error(const char*) {
    abort();
}

void __throw_invalid_argument(const char*) {
    abort();
}

void __throw_length_error(const char*) {
    abort();
}

void __throw_out_of_range(const char*) {
    abort();
}

void __throw_out_of_range_fmt(const char*, ...) {
    abort();
}

void __throw_bad_alloc() {
    throw bad_alloc();
}

void __throw_bad_array_new_length() {
    throw bad_array_new_length();
}

void __throw_bad_exception() {
    throw bad_exception();
}

void __throw_bad_cast() {
    throw bad_cast();
}

void __throw_bad_typeid() {
    throw bad_typeid();
}

} // namespace std
