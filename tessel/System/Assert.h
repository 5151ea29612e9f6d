#pragma once
#include <string>

// One assertion facility for the whole tree. The expression text, the library path and the
// line are part of what the user sees, so callers pass them literally (never __FILE__).
namespace tessel {

using AssertHandler = void (*)(const char* expression, const char* file, int line);

// Installs a handler and returns the previous one; tests install one that throws.
AssertHandler SetAssertHandler(AssertHandler handler);

// "Assertion failed: " + expression + ", file " + file + ", line " + line
std::string AssertMessage(const char* expression, const char* file, int line);

// Reports a failed check through the installed handler. The default handler shows the
// task-modal error box titled with the program's file name and ends the program with
// "Abnormal program termination" and exit code 3.
void AssertFailed(const char* expression, const char* file, int line);

} // namespace tessel

#define TESSEL_ASSERT(expr, file, line)                                                      \
    ((expr) ? (void)0 : ::tessel::AssertFailed(#expr, file, line))
