// UniqueHandle and SelectedObject: each handle is freed once, by its owner, unless
// handed over; a selection is undone on the way out.
#include <gtest/gtest.h>

#include <utility>

#include "framework/win/WinHandle.h"

namespace {

// Counts the releases instead of freeing, so that a double free shows.
struct CountingRelease {
    static int calls;
    static HBRUSH last;
    static void Release(HBRUSH handle) {
        ++calls;
        last = handle;
    }
};
int CountingRelease::calls = 0;
HBRUSH CountingRelease::last = nullptr;

using CountedBrush = UniqueHandle<HBRUSH, CountingRelease>;

HBRUSH FakeBrush(unsigned value) {
    return reinterpret_cast<HBRUSH>(static_cast<ULONG_PTR>(value));
}

bool IsLiveGdiObject(HGDIOBJ handle) {
    return GetObjectType(handle) != 0;
}

class UniqueHandleTest : public ::testing::Test {
protected:
    void SetUp() override {
        CountingRelease::calls = 0;
        CountingRelease::last = nullptr;
    }
};

} // namespace

TEST_F(UniqueHandleTest, ReleasesOnceAcrossMoves) {
    {
        CountedBrush first(FakeBrush(0x10));
        CountedBrush second(std::move(first));
        CountedBrush third;
        third = std::move(second);
        EXPECT_EQ(first.get(), nullptr);
        EXPECT_EQ(third.get(), FakeBrush(0x10));
    }
    EXPECT_EQ(CountingRelease::calls, 1);
    EXPECT_EQ(CountingRelease::last, FakeBrush(0x10));
}

TEST_F(UniqueHandleTest, ReleaseHandsOverWithoutFreeing) {
    HBRUSH handedOver = nullptr;
    {
        CountedBrush owner(FakeBrush(0x20));
        handedOver = owner.release();
        EXPECT_FALSE(owner);
    }
    EXPECT_EQ(handedOver, FakeBrush(0x20));
    EXPECT_EQ(CountingRelease::calls, 0);
}

TEST_F(UniqueHandleTest, ResetFreesTheOldHandleAndKeepsTheNew) {
    {
        CountedBrush owner(FakeBrush(0x30));
        owner.reset(FakeBrush(0x40));
        EXPECT_EQ(CountingRelease::calls, 1);
        EXPECT_EQ(CountingRelease::last, FakeBrush(0x30));
        EXPECT_EQ(owner.get(), FakeBrush(0x40));
    }
    EXPECT_EQ(CountingRelease::calls, 2);
    EXPECT_EQ(CountingRelease::last, FakeBrush(0x40));
}

TEST(UniqueBrush, DeletesTheGdiObjectAtScopeEnd) {
    HBRUSH handle = nullptr;
    {
        const UniqueBrush brush(CreateSolidBrush(RGB(1, 2, 3)));
        handle = brush.get();
        ASSERT_TRUE(IsLiveGdiObject(handle));
    }
    EXPECT_FALSE(IsLiveGdiObject(handle));
}

TEST(SelectedObject, PutsThePreviousObjectBack) {
    const UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    ASSERT_TRUE(dc);
    const UniqueBrush brush(CreateSolidBrush(RGB(4, 5, 6)));
    const HGDIOBJ before = GetCurrentObject(dc.get(), OBJ_BRUSH);
    {
        const SelectedObject selected(dc.get(), brush.get());
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), brush.get());
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), before);
}
