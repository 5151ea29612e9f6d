// How the programs fail where the C++ library would throw one of its logic errors (a string
// or vector asked for more than it can hold, an index out of range, a string made from a null
// pointer): they end abnormally at once. Nothing in the programs catches these exceptions, so
// they ended the program anyway; but throwing them takes the library's second string
// implementation and its exception classes with it, some 50 KB of every program. These are
// the library's own hooks for replacing the throwing functions; memory and function-call
// failures still throw, as callers handle those.
#include <bits/functexcept.h>

#include <cstdlib>
#include <new>

namespace std {

void __throw_bad_alloc() {
    throw bad_alloc();
}

void __throw_bad_array_new_length() {
    throw bad_array_new_length();
}

void __throw_length_error(const char*) {
    abort();
}

void __throw_logic_error(const char*) {
    abort();
}

void __throw_out_of_range_fmt(const char*, ...) {
    abort();
}

} // namespace std
