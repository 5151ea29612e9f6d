// ClassName: the plain name of the object's class, read from the compiler's type name.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/core/Object.h"

class PlainThing : public TObject {};
class Version2Key : public TObject {};
class Outer {
public:
    class Inner : public TObject {};
};
class Eagle {};
template <class T> class Holder : public TObject {};
template <int N> class Sized : public TObject {};
template <class A, class B> class Pair : public TObject {};
class FromTemplate : public Holder<Eagle> {};

namespace tessel::detail {
class Deep : public TObject {};
} // namespace tessel::detail

namespace {
class Hidden : public TObject {};

std::unique_ptr<TObject> MakeLocal() {
    class Local : public TObject {};
    return std::make_unique<Local>();
}

TEST(Object, ClassNameIsThePlainNameOfTheDynamicClass) {
    struct Case {
        std::unique_ptr<TObject> object;
        const char* name;
    };
    std::vector<Case> cases;
    cases.push_back({std::make_unique<PlainThing>(), "PlainThing"});
    cases.push_back({std::make_unique<Version2Key>(), "Version2Key"});
    cases.push_back({std::make_unique<Outer::Inner>(), "Inner"});
    cases.push_back({std::make_unique<tessel::detail::Deep>(), "Deep"});
    cases.push_back({std::make_unique<Hidden>(), "Hidden"});
    cases.push_back({MakeLocal(), "Local"});
    cases.push_back({std::make_unique<FromTemplate>(), "FromTemplate"});
    // Templates: the template's own name, whatever its arguments hold.
    cases.push_back({std::make_unique<Holder<Eagle>>(), "Holder"});
    cases.push_back({std::make_unique<Holder<tessel::detail::Deep>>(), "Holder"});
    cases.push_back({std::make_unique<Sized<-3>>(), "Sized"});
    cases.push_back({std::make_unique<Pair<Holder<int>, Eagle>>(), "Pair"});
    for (const Case& c : cases)
        EXPECT_EQ(c.object->ClassName(), c.name);
}

TEST(Object, TypeNamesThatAreNoClassNamesComeBackAsTheyAre) {
    for (const char* name : {"", "N", "N3FooE3", "3Fo", "N3FooI", "Z3foo", "0", "N6tessel", "i",
                             "3FooILi3", "Z3fooE_x"})
        EXPECT_EQ(ClassNameOf(name), name) << name;
    EXPECT_EQ(ClassNameOf("St9exception"), "exception");
    EXPECT_EQ(ClassNameOf("NSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEE"), "basic_string");
}

} // namespace
