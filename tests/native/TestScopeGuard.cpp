// ScopeGuard and FlagScope: the undo step runs on every path out, once, unless dismissed.
#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

#include "framework/core/ScopeGuard.h"

TEST(ScopeGuard, RunsOnceOnNormalExitAndDuringUnwinding) {
    int runs = 0;
    {
        ScopeGuard guard([&runs] { ++runs; });
        EXPECT_EQ(runs, 0);
    }
    EXPECT_EQ(runs, 1);

    EXPECT_THROW(
        {
            ScopeGuard guard([&runs] { ++runs; });
            throw std::runtime_error("step failed");
        },
        std::runtime_error);
    EXPECT_EQ(runs, 2);
}

TEST(ScopeGuard, DismissedDoesNotRun) {
    int runs = 0;
    {
        ScopeGuard guard([&runs] { ++runs; });
        guard.Dismiss();
    }
    EXPECT_EQ(runs, 0);
}

TEST(ScopeGuard, MovedFromDoesNotRunASecondTime) {
    int runs = 0;
    {
        ScopeGuard first([&runs] { ++runs; });
        { ScopeGuard second(std::move(first)); }
        EXPECT_EQ(runs, 1);
    }
    EXPECT_EQ(runs, 1);
}

TEST(FlagScope, ClearsTheFlagOnEveryPathOut) {
    bool flag = false;
    {
        const FlagScope scope(flag);
        EXPECT_TRUE(flag);
    }
    EXPECT_FALSE(flag);

    EXPECT_THROW(
        {
            const FlagScope scope(flag);
            throw std::runtime_error("step failed");
        },
        std::runtime_error);
    EXPECT_FALSE(flag);
}
