// A logic error the C++ library finds ends the process at once, in the tests as in the
// programs, which link the same hooks (launcher/StdFailures.cpp): nothing unwinds past it.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/core/Component.h"

namespace {

// Runs the failing statement; a throw or a return ends the process normally, so only an
// abnormal end inside the statement satisfies the test.
void RunExpectingNoReturn(void (*statement)()) {
    try {
        statement();
    } catch (...) {
        std::exit(0);
    }
    std::exit(0);
}

#ifdef _WIN32
const auto EndedAbnormally = testing::ExitedWithCode(3); // abort() on Windows
#else
const auto EndedAbnormally = testing::KilledBySignal(SIGABRT);
#endif

} // namespace

TEST(LogicErrorDeathTest, EndsTheProcessInsteadOfThrowing) {
    const struct {
        const char* name;
        void (*statement)();
    } cases[] = {
        {"vector index", [] { std::vector<int>(2).at(2); }},
        {"string index", [] { std::string("ab").at(5); }},
        {"substring start", [] { std::string("ab").substr(3); }},
        {"vector too long", [] { std::vector<int>().reserve(std::vector<int>().max_size() + 1); }},
        {"string from null",
         [] {
             const char* volatile none = nullptr;
             std::string text(none);
         }},
        {"component index", [] { TComponent(nullptr).Components(0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EXIT(RunExpectingNoReturn(c.statement), EndedAbnormally, "");
    }
}
