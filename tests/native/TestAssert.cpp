#include <gtest/gtest.h>

#include "framework/core/Component.h"
#include "framework/core/Exceptions.h"
#include "tests/support/AssertCapture.h"
#include "tests/support/ExceptionMessage.h"

namespace {

int CheckPositive(int value) {
    // The report quotes the expression as written, spacing and all.
    // clang-format off
    TESSEL_ASSERT(value >0 && value < 10, "tessel/System/Source/Example", 42);
    // clang-format on
    return value;
}

} // namespace

TEST(Assert, ReportsExpressionFileAndLineExactly) {
    EXPECT_EQ(
        AssertionTextOf([] { CheckPositive(0); }),
        "Assertion failed: value >0 && value < 10, file tessel/System/Source/Example, line 42");
    EXPECT_EQ(AssertionTextOf([] { CheckPositive(5); }), "");
}

TEST(Persistent, RefusesAssignmentBetweenUnrelatedClasses) {
    class TApple : public TPersistent {};
    class TPear : public TPersistent {};
    TApple apple;
    TPear pear;
    EXPECT_EQ(MessageOf<EConvertError>([&] { pear.Assign(&apple); }),
              "Cannot assign a TApple to a TPear");
}

TEST(Component, OwnerDestroysWhatItOwnsLastFirst) {
    static std::vector<std::string> destroyed;
    struct TNamed : TComponent {
        TNamed(TComponent* owner, const char* name) : TComponent(owner) { SetName(name); }
        ~TNamed() override { destroyed.push_back(Name().str()); }
    };
    destroyed.clear();
    auto* owner = new TNamed(nullptr, "owner");
    new TNamed(owner, "a");
    auto* b = new TNamed(owner, "b");
    new TNamed(b, "b1");
    EXPECT_EQ(owner->ComponentCount(), 2);
    EXPECT_EQ(owner->FindComponent("b"), b);
    delete owner;
    EXPECT_EQ(destroyed, (std::vector<std::string>{"owner", "b", "b1", "a"}));
}

TEST(AnsiString, IndexesFromOneAndRefusesOutOfRange) {
    AnsiString text("ab");
    EXPECT_EQ(text[1], 'a');
    EXPECT_EQ(text[2], 'b');
    EXPECT_THROW(text[0], ERangeError);
    EXPECT_THROW(text[3], ERangeError);
    EXPECT_THROW(AnsiString()[1], ERangeError);
}
