// Ownership: an owner frees what was made with new, and only lets go of any other component.
// Under the address sanitizer a wrong free or a second destruction stops the test at once.
#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <string>
#include <vector>

#include "framework/Component.h"

namespace {

std::vector<std::string> g_ended;

class Part : public TComponent {
public:
    Part(TComponent* owner, std::string name) : TComponent(owner), m_name(std::move(name)) {}
    ~Part() override { g_ended.push_back(m_name); }

private:
    std::string m_name;
};

// Holds a part as a member, owned by a component made elsewhere.
struct Holder {
    explicit Holder(TComponent* owner) : part(owner, "member") {}
    Part part;
};

TComponent* NewPart(TComponent* owner, const char* name) {
    return new Part(owner, name);
}

class Ownership : public ::testing::Test {
protected:
    void SetUp() override { g_ended.clear(); }
};

TEST_F(Ownership, AnOwnerFreesWhatWasMadeWithNewLastCreatedFirst) {
    auto* owner = new Part(nullptr, "owner");
    NewPart(owner, "a");
    TComponent* b = NewPart(owner, "b");
    NewPart(b, "b.1");
    NewPart(owner, "c");
    ASSERT_EQ(owner->ComponentCount(), 3);
    delete owner;
    EXPECT_EQ(g_ended, (std::vector<std::string>{"owner", "c", "b", "b.1", "a"}));
}

TEST_F(Ownership, AnOwnerOnlyLetsGoOfAComponentThatLivesElsewhere) {
    // Components on the stack, inside another object, in storage of their own and held by a
    // shared pointer outlive their owner: it must neither free nor destroy them.
    auto* owner = new Part(nullptr, "owner");
    Part onStack(owner, "stack");
    auto holder = std::make_unique<Holder>(owner);
    alignas(Part) unsigned char storage[sizeof(Part)];
    Part* placed = new (storage) Part(owner, "placed");
    auto shared = std::make_shared<Part>(owner, "shared");
    NewPart(owner, "heap");
    NewPart(&onStack, "heap under stack");

    delete owner;
    EXPECT_EQ(g_ended, (std::vector<std::string>{"owner", "heap"}));
    for (TComponent* survivor :
         {static_cast<TComponent*>(&onStack), static_cast<TComponent*>(&holder->part),
          static_cast<TComponent*>(placed), static_cast<TComponent*>(shared.get())}) {
        EXPECT_EQ(survivor->Owner(), nullptr);
        EXPECT_FALSE(survivor->HasState(csDestroying));
    }
    EXPECT_EQ(onStack.ComponentCount(), 1);

    g_ended.clear();
    shared.reset();
    placed->~Part();
    holder.reset();
    EXPECT_EQ(g_ended, (std::vector<std::string>{"shared", "placed", "member"}));
    // onStack ends with the test and frees what it made with new.
}

TEST_F(Ownership, ComponentsMadeWithNewInsideTheArgumentsOfAnotherAreFreed) {
    // The outer block is allocated before the inner part is built: both must be known as new.
    auto* owner = new Part(nullptr, "owner");
    auto* outer = new Part(NewPart(owner, "inner"), "outer");
    EXPECT_EQ(outer->Owner()->Owner(), owner);
    delete owner;
    EXPECT_EQ(g_ended, (std::vector<std::string>{"owner", "inner", "outer"}));
}

} // namespace
