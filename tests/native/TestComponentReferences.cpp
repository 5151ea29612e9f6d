// References between components: free notifications, and the published kind that reads and
// writes a reference by the component's name.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormWriter.h"
#include "framework/streaming/Published.h"
#include "tests/support/FormTestClasses.h"

namespace {

// Holds a reference to a gadget and to any component, cleared when either goes.
class TLink : public TComponent {
public:
    explicit TLink(TComponent* owner) : TComponent(owner) {}
    TGadget* Target() const { return m_target; }
    void SetTarget(TGadget* value) { Refer(m_target, value); }
    TComponent* Peer() const { return m_peer; }
    void SetPeer(TComponent* value) { Refer(m_peer, value); }
    int Removals = 0;

protected:
    void Notification(TComponent* component, TOperation operation) override {
        if (operation != opRemove)
            return;
        ++Removals;
        if (component == m_target)
            m_target = nullptr;
        if (component == m_peer)
            m_peer = nullptr;
    }

private:
    template <class T> void Refer(T*& field, T* value) {
        RemoveFreeNotification(field);
        field = value;
        FreeNotification(value);
    }
    TGadget* m_target = nullptr;
    TComponent* m_peer = nullptr;
};

void RegisterLink() {
    RegisterGadgetClasses();
    PublishedClass<TLink>("TLink")
        .Component("Target", &TLink::Target, &TLink::SetTarget)
        .Component("Peer", &TLink::Peer, &TLink::SetPeer);
}

TEST(FreeNotification, WhicheverGoesFirstTheOtherKeepsNoPointerToIt) {
    // The target goes first: the link hears and clears its reference.
    {
        auto link = std::make_unique<TLink>(nullptr);
        auto target = std::make_unique<TGadget>(nullptr);
        link->SetTarget(target.get());
        target.reset();
        EXPECT_EQ(link->Target(), nullptr);
        EXPECT_EQ(link->Removals, 1);
    }
    // The link goes first: the target must not tell a link that is gone (the sanitizer
    // catches the use after free).
    {
        auto target = std::make_unique<TGadget>(nullptr);
        auto link = std::make_unique<TLink>(nullptr);
        link->SetTarget(target.get());
        link.reset();
        target.reset();
    }
    // Two references to one gadget: dropping one keeps the other watched.
    {
        auto link = std::make_unique<TLink>(nullptr);
        auto target = std::make_unique<TGadget>(nullptr);
        link->SetTarget(target.get());
        link->SetPeer(target.get());
        link->SetPeer(nullptr);
        target.reset();
        EXPECT_EQ(link->Target(), nullptr);
        EXPECT_EQ(link->Removals, 1);
    }
    // A dropped link tells nothing.
    {
        auto link = std::make_unique<TLink>(nullptr);
        auto target = std::make_unique<TGadget>(nullptr);
        link->FreeNotification(target.get());
        link->FreeNotification(target.get());
        link->RemoveFreeNotification(target.get());
        target->RemoveFreeNotification(link.get());
        target.reset();
        EXPECT_EQ(link->Removals, 0);
    }
}

TEST(FreeNotification, AnOwnerDestroyingWhatItOwnsLeavesNoDanglingReference) {
    auto form = std::make_unique<TGadgetForm>();
    auto* link = new TLink(form.get());
    auto* later = new TGadget(form.get()); // destroyed first: last created
    auto* other = new TLink(form.get());
    link->SetTarget(later);
    other->SetPeer(link);
    form.reset(); // the sanitizer watches every step
}

class ComponentReferences : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterLink();
        FormTestLog().clear();
    }
};

std::string WithLink(const std::string& properties) {
    return "object GadgetForm: TGadgetForm\n  object Link: TLink\n" + properties +
           "  end\n  object First: TGadget\n  end\n  object Second: TGadgetBox\n  end\nend\n";
}

TEST_F(ComponentReferences, AReferenceToALaterComponentOrTheRootIsResolvedByName) {
    TGadgetForm form;
    ReadForm(&form, WithLink("    Target = Second\n    Peer = gadgetform\n"));
    auto* link = dynamic_cast<TLink*>(form.FindComponent("Link"));
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->Target(), form.FindComponent("Second"));
    EXPECT_EQ(link->Peer(), &form);

    const std::string written = WriteForm(&form);
    EXPECT_NE(written.find("Target = Second\n    Peer = GadgetForm\n"), std::string::npos)
        << written;
    TGadgetForm again;
    ReadForm(&again, written);
    EXPECT_TRUE(SameFormTree(WriteFormTree(&form), WriteFormTree(&again)));

    // No reference, nothing written.
    link->SetTarget(nullptr);
    link->SetPeer(nullptr);
    EXPECT_EQ(WriteForm(&form).find("Target"), std::string::npos);
}

TEST_F(ComponentReferences, AReferenceThatCannotBeSetIsAReadErrorNamingItsLine) {
    struct Case {
        const char* properties;
        const char* message;
    };
    const Case cases[] = {
        {"    Target = Nowhere\n",
         "Line 3: Error reading Link.Target: Component Nowhere not found"},
        {"    Peer = First\n    Target = Link\n",
         "Line 4: Error reading Link.Target: Link is a TLink, not a TGadget"},
        {"    Target = 3\n",
         "Line 3: Error reading Link.Target: Expected the name of a component but found the "
         "integer 3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.properties);
        TGadgetForm form;
        std::string message = "(read)";
        try {
            ReadForm(&form, WithLink(c.properties));
        } catch (const EReadError& e) {
            message = e.Message.str();
        }
        EXPECT_EQ(message, c.message);
        EXPECT_EQ(form.ComponentCount(), 0) << "what the read made is gone again";
    }
}

TEST_F(ComponentReferences, AReferenceOutsideTheRootCannotBeWritten) {
    TGadgetForm form;
    ReadForm(&form, WithLink(""));
    auto* link = dynamic_cast<TLink*>(form.FindComponent("Link"));
    TGadget stranger(nullptr);
    stranger.SetName("Stranger");
    link->SetTarget(&stranger);
    EXPECT_THROW(WriteForm(&form), EStreamError);
    auto* unnamed = new TGadget(&form);
    link->SetTarget(unnamed);
    EXPECT_THROW(WriteForm(&form), EStreamError);
}

} // namespace
