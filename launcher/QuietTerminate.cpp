// What the programs do when an exception other than the framework's escapes the entry: end
// abnormally, as the standard handler does, without its report. That report names the
// exception's type on the standard error stream, which a GUI program does not have, and it
// brings the whole C++ name demangler (some 46 KB) into each program.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
