#pragma once
#include <functional>
#include <initializer_list>
#include <limits>
#include <memory>
#include <new>
#include <string>
#include <type_traits>
#include <typeindex>
#include <typeinfo>
#include <utility>
#include <vector>

#include "framework/core/AnsiString.h"
#include "framework/core/Closure.h"
#include "framework/core/Component.h"
#include "framework/core/Exceptions.h"

// Published properties: per streamable class a table of its properties in declaration
// order, which the form reader sets and the form writer reads; the class registry the reader
// creates components from; and the designer's palette.
//
// A class registers itself once, with the name the form description uses and the name of its
// parent class, whose table it inherits:
//
//   PublishedClass<KxButton>("KxButton", "KxCustomControl")
//       .Object("Appearance", &KxButton::GetAppearance)
//       .Int("ModalResult", &KxButton::GetModalResult, &KxButton::SetModalResult, 0)
//       .Bool("ShowMouseOver", &KxButton::GetShowMouseOver, &KxButton::SetShowMouseOver, true)
//       .Event("OnClick", &TControl::OnClick);
//
// Getters and setters are member functions, data members, functions or captureless
// callables taking the object.

enum class PropertyKind {
    Int,    // an integer
    Bool,   // True / False
    Enum,   // a name from the property's name table
    Set,    // [names]: bit i is the i-th name of the table
    Color,  // an integer, or a colour name (clBtnFace)
    Mapped, // an integer, or a name from the property's own table (DEFAULT_CHARSET)
    Double, // a floating-point number
    String, // an AnsiString
    Object, // a published sub-object: its properties are written as Name.Sub
    Binary, // bytes, e.g. the Data of a bitmap (a .bmp file)
    Event,  // the name of a handler of the root form
    // The name of another component of the root; resolved once the whole description is
    // read, so the component may come later in the text.
    Component,
};

// One name of a Mapped property.
struct IdentMapping {
    long long Value;
    const char* Name;
};

using ComponentFactory = TComponent* (*)(TComponent* Owner);

// The tables hold accessors as plain data: the member pointer, function pointer or
// captureless callable a class registered, and one shared function per kind of accessor that
// calls it. A table entry costs a few words instead of a closure object per property.
namespace published_detail {

// Room for any member pointer (two words in the ABIs we build for) or a captureless callable.
struct Accessor {
    alignas(void*) unsigned char Bytes[2 * sizeof(void*)] = {};

    template <class A> static Accessor Of(const A& accessor) {
        static_assert(sizeof(A) <= sizeof(Bytes) && alignof(A) <= alignof(void*),
                      "an accessor is a member pointer, a function or a captureless callable");
        static_assert(std::is_trivially_copyable_v<A> && std::is_trivially_destructible_v<A>,
                      "an accessor is a member pointer, a function or a captureless callable");
        Accessor stored;
        new (stored.Bytes) A(accessor);
        return stored;
    }
    template <class A> const A& As() const {
        return *std::launder(reinterpret_cast<const A*>(Bytes));
    }
};

} // namespace published_detail

// A callable entry of a table: a function shared by every accessor of one type, and the
// accessor it calls. Empty (false) when nothing was registered.
template <class Sig> class Thunk;
template <class R, class... A> class Thunk<R(A...)> {
public:
    using Call = R (*)(const published_detail::Accessor&, A...);

    Thunk() = default;
    Thunk(Call call, const published_detail::Accessor& accessor)
        : m_call(call), m_accessor(accessor) {}

    explicit operator bool() const { return m_call != nullptr; }
    R operator()(A... args) const { return m_call(m_accessor, args...); }

private:
    Call m_call = nullptr;
    published_detail::Accessor m_accessor;
};

// A published handler of a form class, e.g. TMainForm::FormShow.
struct PublishedHandler {
    std::string Name;
    const std::type_info* Signature = nullptr; // R(A...) of the member function
    // Stores in *closure, a Closure<Signature>, the handler bound to the given root form.
    Thunk<void(TComponent* root, void* closure)> Bind;
};

// A published field of a form class, e.g. TMainForm::Background.
struct PublishedField {
    std::string Name;
    Thunk<bool(TComponent* component)> Accepts; // the field's type can hold it
    Thunk<void(TComponent* root, TComponent* component)> Assign;
};

struct PublishedProperty {
    std::string Name;
    PropertyKind Kind = PropertyKind::Int;
    bool Stored = true;                 // false: read, but never written
    Thunk<bool(TPersistent*)> StoredIf; // when set: written only while it says so
    bool HasDefault = false;            // written only when different from it

    // Int, Bool, Enum, Set, Color, Mapped
    Thunk<long long(TPersistent*)> GetOrdinal;
    Thunk<void(TPersistent*, long long)> SetOrdinal;
    long long MinValue = std::numeric_limits<long long>::min();
    long long MaxValue = std::numeric_limits<long long>::max();
    std::vector<std::string> Names;   // Enum: by value; Set: by bit
    std::vector<IdentMapping> Idents; // Mapped
    long long DefaultOrdinal = 0;

    Thunk<double(TPersistent*)> GetDouble;
    Thunk<void(TPersistent*, double)> SetDouble;
    double DefaultDouble = 0;

    Thunk<AnsiString(TPersistent*)> GetString;
    Thunk<void(TPersistent*, const AnsiString&)> SetString;
    AnsiString DefaultString;

    Thunk<TPersistent*(TPersistent*)> GetObject;

    Thunk<std::vector<unsigned char>(TPersistent*)> GetBytes;
    Thunk<void(TPersistent*, const std::vector<unsigned char>&)> SetBytes;

    const std::type_info* Signature = nullptr; // Event: R(A...) of its closure
    Thunk<void(TPersistent*, TComponent* root, const PublishedHandler&)> SetHandler;
    // True when the event currently holds exactly this handler bound to this root.
    Thunk<bool(TPersistent*, TComponent* root, const PublishedHandler&)> HoldsHandler;
    Thunk<bool(TPersistent*)> IsEventSet;

    Thunk<TComponent*(TPersistent*)> GetComponent;
    Thunk<void(TPersistent*, TComponent*)> SetComponent;
    Thunk<bool(TComponent*)> AcceptsComponent; // the reference's class can hold it
    const std::type_info* ComponentClass = nullptr;

    bool IsOrdinal() const;
    bool IsReadOnly() const;
    // The name an ordinal value is written as ("" when it is written as a number).
    std::string IdentOf(long long value) const;
    // The value of a name (case-insensitive); false when the property has no such name.
    bool ValueOf(const std::string& ident, long long& value) const;
};

// The published part of one class.
class PublishedClassInfo {
public:
    PublishedClassInfo(std::string name, std::string parentName, std::type_index type);

    const std::string& Name() const { return m_name; }
    const std::string& ParentName() const { return m_parentName; }
    // Null for a root class; raises EInvalidOperation when the parent is not registered.
    const PublishedClassInfo* Parent() const;
    std::type_index Type() const { return m_type; }
    // Null for classes that cannot be created by name (sub-objects, abstract classes).
    ComponentFactory Factory() const { return m_factory; }
    bool InheritsFrom(const PublishedClassInfo* ancestor) const;

    // All properties in published order: the parent's first, then this class's own; a
    // property declared again replaces the inherited one in its place.
    const std::vector<const PublishedProperty*>& Properties() const;
    const PublishedProperty* FindProperty(const std::string& name) const;
    const PublishedHandler* FindHandler(const std::string& name) const;
    std::vector<const PublishedHandler*> Handlers() const;
    std::vector<const PublishedField*> Fields() const;

    // Building (used by PublishedClass).
    void Reset(const std::string& parentName, std::type_index type);
    PublishedProperty& Add(PublishedProperty property);
    // A new property of that kind and name, in place of an own property of the same name.
    PublishedProperty& Add(PropertyKind kind, const char* name);
    PublishedProperty& Last();
    void SetFactory(ComponentFactory factory) { m_factory = factory; }
    void AddHandler(PublishedHandler handler);
    void AddField(PublishedField field);

private:
    std::string m_name;
    std::string m_parentName;
    std::type_index m_type;
    ComponentFactory m_factory = nullptr;
    std::vector<std::unique_ptr<PublishedProperty>> m_own;
    std::vector<std::unique_ptr<PublishedHandler>> m_handlers;
    std::vector<std::unique_ptr<PublishedField>> m_fields;
    mutable std::vector<const PublishedProperty*> m_all;
    mutable unsigned m_allGeneration = 0;
};

// Registers a class (again: its table starts afresh) and returns its record.
PublishedClassInfo& RegisterPublishedClass(const std::string& name, const std::string& parentName,
                                           std::type_index type);
// The class registered under a name (letter case ignored), or null.
const PublishedClassInfo* FindClass(const std::string& name);
// The class registered for the object's dynamic type, or null.
const PublishedClassInfo* ClassOf(const TPersistent* object);
const PublishedClassInfo* ClassOfType(std::type_index type);
template <class T> const PublishedClassInfo* ClassOf() {
    return ClassOfType(typeid(T));
}

// The designer's component palette. A class must be registered before it goes on a page;
// a null class raises EInvalidOperation.
void RegisterComponents(const AnsiString& page,
                        std::initializer_list<const PublishedClassInfo*> classes);
// The class names on a page in the order they were put there (empty for an unknown page).
std::vector<std::string> PaletteClasses(const AnsiString& page);
std::vector<std::string> PalettePages();

// How the reader puts a streamed control on the control it is nested in, and how the
// writer finds that nesting again; the windowed framework installs both.
struct FormParentHooks {
    // Called for every component read inside another object (enclosing: that object's
    // component); decides itself whether a parent link applies.
    void (*SetParent)(TComponent* child, TComponent* enclosing) = nullptr;
    // The component a component is nested in (null: directly in the root).
    TComponent* (*GetParent)(TComponent* component) = nullptr;
};
void SetFormParentHooks(const FormParentHooks& hooks);
const FormParentHooks& GetFormParentHooks();

namespace published_detail {

// Raises EInvalidOperation: an accessor was handed an object of another class. Out of line,
// so that each class's cast stays a test and a call.
[[noreturn]] void ThrowWrongClass(TPersistent* object);

template <class T> T* Cast(TPersistent* object) {
    if (T* typed = dynamic_cast<T*>(object))
        return typed;
    ThrowWrongClass(object);
}

template <class T, class G> using ValueOf = std::decay_t<std::invoke_result_t<const G&, T*>>;

template <class T, class G> decltype(auto) Get(const G& get, T* object) {
    return std::invoke(get, object);
}

template <class T, class S, class V> void Set(const S& set, T* object, V&& value) {
    if constexpr (std::is_member_object_pointer_v<S>)
        object->*set = std::forward<V>(value);
    else
        std::invoke(set, object, std::forward<V>(value));
}

template <class S> constexpr bool IsNoSetter = std::is_same_v<S, std::nullptr_t>;

// The class an accessor works on: a member's own class (so that every class publishing
// TControl::Visible shares one caller), else the class being registered.
template <class T, class A> struct TargetOf { using type = T; };
template <class T, class M, class C> struct TargetOf<T, M C::*> { using type = C; };
template <class T, class A> using Target = typename TargetOf<T, A>::type;

template <class V> constexpr long long MinOf() {
    if constexpr (std::is_same_v<V, bool>)
        return 0;
    else if constexpr (std::is_enum_v<V>)
        return static_cast<long long>(std::numeric_limits<std::underlying_type_t<V>>::min());
    else if constexpr (std::is_integral_v<V> && sizeof(V) < sizeof(long long))
        return static_cast<long long>(std::numeric_limits<V>::min());
    else
        return std::numeric_limits<long long>::min();
}

template <class V> constexpr long long MaxOf() {
    if constexpr (std::is_same_v<V, bool>)
        return 1;
    else if constexpr (std::is_enum_v<V>)
        return static_cast<long long>(std::numeric_limits<std::underlying_type_t<V>>::max());
    else if constexpr (std::is_integral_v<V> && sizeof(V) < sizeof(long long))
        return static_cast<long long>(std::numeric_limits<V>::max());
    else
        return std::numeric_limits<long long>::max();
}

template <class C> struct ClosureTraits;
template <class Sig> struct ClosureTraits<Closure<Sig>> { using Signature = Sig; };

// The callers the tables point at, one per accessor type (C: the class it works on).
template <class C, class G> long long GetOrdinal(const Accessor& get, TPersistent* object) {
    return static_cast<long long>(Get(get.As<G>(), Cast<C>(object)));
}
template <class C, class S, class V>
void SetOrdinal(const Accessor& set, TPersistent* object, long long value) {
    Set(set.As<S>(), Cast<C>(object), static_cast<V>(value));
}
template <class C, class G> double GetDouble(const Accessor& get, TPersistent* object) {
    return static_cast<double>(Get(get.As<G>(), Cast<C>(object)));
}
template <class C, class S, class V>
void SetDouble(const Accessor& set, TPersistent* object, double value) {
    Set(set.As<S>(), Cast<C>(object), static_cast<V>(value));
}
template <class C, class G> AnsiString GetString(const Accessor& get, TPersistent* object) {
    return AnsiString(Get(get.As<G>(), Cast<C>(object)));
}
template <class C, class S>
void SetString(const Accessor& accessor, TPersistent* object, const AnsiString& value) {
    const S& set = accessor.As<S>();
    C* typed = Cast<C>(object);
    if constexpr (std::is_member_object_pointer_v<S>) {
        using F = std::decay_t<decltype(typed->*set)>;
        if constexpr (std::is_same_v<F, std::string>)
            typed->*set = value.str();
        else
            typed->*set = value;
    } else if constexpr (std::is_invocable_v<const S&, C*, const AnsiString&>) {
        std::invoke(set, typed, value);
    } else {
        std::invoke(set, typed, value.str());
    }
}
template <class C, class G> TPersistent* GetObject(const Accessor& get, TPersistent* object) {
    return Get(get.As<G>(), Cast<C>(object));
}
template <class C, class G>
std::vector<unsigned char> GetBytes(const Accessor& get, TPersistent* object) {
    return Get(get.As<G>(), Cast<C>(object));
}
template <class C, class S>
void SetBytes(const Accessor& set, TPersistent* object, const std::vector<unsigned char>& bytes) {
    Set(set.As<S>(), Cast<C>(object), bytes);
}
template <class C, class S, class ClosureType>
void SetHandler(const Accessor& set, TPersistent* object, TComponent* root,
                const PublishedHandler& handler) {
    ClosureType closure;
    handler.Bind(root, &closure);
    Set(set.As<S>(), Cast<C>(object), closure);
}
template <class C, class G, class ClosureType>
bool HoldsHandler(const Accessor& get, TPersistent* object, TComponent* root,
                  const PublishedHandler& handler) {
    ClosureType bound;
    handler.Bind(root, &bound);
    return ClosureType(Get(get.As<G>(), Cast<C>(object))) == bound;
}
template <class C, class G> bool IsEventSet(const Accessor& get, TPersistent* object) {
    return static_cast<bool>(Get(get.As<G>(), Cast<C>(object)));
}
template <class C, class P> bool StoredIf(const Accessor& predicate, TPersistent* object) {
    return static_cast<bool>(std::invoke(predicate.As<P>(), Cast<C>(object)));
}
template <class C, class R, class... A>
void BindHandler(const Accessor& method, TComponent* root, void* closure) {
    *static_cast<::Closure<R(A...)>*>(closure) =
        ::Closure<R(A...)>(Cast<C>(root), method.As<R (C::*)(A...)>());
}
template <class C, class G> TComponent* GetComponent(const Accessor& get, TPersistent* object) {
    return Get(get.As<G>(), Cast<C>(object));
}
template <class C, class S, class F>
void SetComponent(const Accessor& set, TPersistent* object, TComponent* component) {
    Set(set.As<S>(), Cast<C>(object), dynamic_cast<F*>(component));
}
template <class F> bool FieldAccepts(const Accessor&, TComponent* component) {
    return dynamic_cast<F*>(component) != nullptr;
}
template <class C, class F>
void FieldAssign(const Accessor& member, TComponent* root, TComponent* component) {
    Cast<C>(root)->*member.As<F * C::*>() = dynamic_cast<F*>(component);
}

// Out of line, so that each registration stays a few stores: Names (and an Enum's range).
void SetNames(PublishedProperty& property, std::initializer_list<const char*> names);

} // namespace published_detail

// The builder a class registers its published part with (see the top of this file).
template <class T> class PublishedClass {
public:
    PublishedClass(const char* name, const char* parentName = "")
        : m_info(RegisterPublishedClass(name, parentName, typeid(T))) {
        if constexpr (std::is_base_of_v<TComponent, T> && !std::is_abstract_v<T> &&
                      std::is_constructible_v<T, TComponent*>)
            m_info.SetFactory([](TComponent* owner) -> TComponent* { return new T(owner); });
    }

    const PublishedClassInfo* Info() const { return &m_info; }

    template <class G, class S> PublishedClass& Int(const char* name, G get, S set) {
        return Ordinal(PropertyKind::Int, name, get, set, {}, NoDefault);
    }
    template <class G, class S, class D>
    PublishedClass& Int(const char* name, G get, S set, D def) {
        return Ordinal(PropertyKind::Int, name, get, set, {}, &def);
    }
    template <class G, class S> PublishedClass& Bool(const char* name, G get, S set) {
        return Ordinal(PropertyKind::Bool, name, get, set, {}, NoDefault);
    }
    template <class G, class S> PublishedClass& Bool(const char* name, G get, S set, bool def) {
        return Ordinal(PropertyKind::Bool, name, get, set, {}, &def);
    }
    template <class G, class S>
    PublishedClass& Enum(const char* name, G get, S set, std::initializer_list<const char*> names) {
        return Ordinal(PropertyKind::Enum, name, get, set, names, NoDefault);
    }
    template <class G, class S, class D>
    PublishedClass& Enum(const char* name, G get, S set, std::initializer_list<const char*> names,
                         D def) {
        return Ordinal(PropertyKind::Enum, name, get, set, names, &def);
    }
    template <class G, class S>
    PublishedClass& Set(const char* name, G get, S set, std::initializer_list<const char*> names) {
        return Ordinal(PropertyKind::Set, name, get, set, names, NoDefault);
    }
    template <class G, class S, class D>
    PublishedClass& Set(const char* name, G get, S set, std::initializer_list<const char*> names,
                        D def) {
        return Ordinal(PropertyKind::Set, name, get, set, names, &def);
    }
    template <class G, class S> PublishedClass& Color(const char* name, G get, S set) {
        return Ordinal(PropertyKind::Color, name, get, set, {}, NoDefault);
    }
    template <class G, class S, class D>
    PublishedClass& Color(const char* name, G get, S set, D def) {
        return Ordinal(PropertyKind::Color, name, get, set, {}, &def);
    }
    template <class G, class S>
    PublishedClass& Mapped(const char* name, G get, S set,
                           const std::vector<IdentMapping>& idents) {
        Ordinal(PropertyKind::Mapped, name, get, set, {}, NoDefault);
        m_info.Last().Idents = idents;
        return *this;
    }
    template <class G, class S, class D>
    PublishedClass& Mapped(const char* name, G get, S set, const std::vector<IdentMapping>& idents,
                           D def) {
        Ordinal(PropertyKind::Mapped, name, get, set, {}, &def);
        m_info.Last().Idents = idents;
        return *this;
    }

    template <class G, class S> PublishedClass& Double(const char* name, G get, S set) {
        return AddDouble(name, get, set, nullptr);
    }
    template <class G, class S> PublishedClass& Double(const char* name, G get, S set, double def) {
        return AddDouble(name, get, set, &def);
    }

    template <class G, class S> PublishedClass& String(const char* name, G get, S set) {
        return AddString(name, get, set, nullptr);
    }
    template <class G, class S>
    PublishedClass& String(const char* name, G get, S set, const AnsiString& def) {
        return AddString(name, get, set, &def);
    }

    // A sub-object: the getter returns a pointer to a TPersistent that stays owned by the
    // object; its properties are read and written through it.
    template <class G> PublishedClass& Object(const char* name, G get) {
        using C = published_detail::Target<T, G>;
        PublishedProperty& p = m_info.Add(PropertyKind::Object, name);
        p.GetObject = {&published_detail::GetObject<C, G>, Accessor::Of(get)};
        return *this;
    }

    // Bytes: the getter returns them (empty: nothing to write), the setter takes
    // const std::vector<unsigned char>&.
    template <class G, class S> PublishedClass& Binary(const char* name, G get, S set) {
        PublishedProperty& p = m_info.Add(PropertyKind::Binary, name);
        p.GetBytes = {&published_detail::GetBytes<published_detail::Target<T, G>, G>,
                      Accessor::Of(get)};
        if constexpr (!published_detail::IsNoSetter<S>)
            p.SetBytes = {&published_detail::SetBytes<published_detail::Target<T, S>, S>,
                          Accessor::Of(set)};
        return *this;
    }

    // An event held in a Closure: the getter returns it, the setter takes it.
    template <class G, class S> PublishedClass& Event(const char* name, G get, S set) {
        using GetOn = published_detail::Target<T, G>;
        using SetOn = published_detail::Target<T, S>;
        using ClosureType = published_detail::ValueOf<GetOn, G>;
        using Sig = typename published_detail::ClosureTraits<ClosureType>::Signature;
        PublishedProperty& p = m_info.Add(PropertyKind::Event, name);
        p.Signature = &typeid(Sig);
        p.SetHandler = {&published_detail::SetHandler<SetOn, S, ClosureType>, Accessor::Of(set)};
        p.HoldsHandler = {&published_detail::HoldsHandler<GetOn, G, ClosureType>,
                          Accessor::Of(get)};
        p.IsEventSet = {&published_detail::IsEventSet<GetOn, G>, Accessor::Of(get)};
        return *this;
    }
    // An event that is a public Closure data member (TControl::OnClick).
    template <class F> PublishedClass& Event(const char* name, F field) {
        static_assert(std::is_member_object_pointer_v<F>, "an event field is a data member");
        return Event(name, field, field);
    }

    // A reference to another component of the root, e.g. a control's PopupMenu: the getter
    // returns a pointer to the component's class, the setter takes one (null clears it).
    template <class G, class S> PublishedClass& Component(const char* name, G get, S set) {
        using GetOn = published_detail::Target<T, G>;
        using SetOn = published_detail::Target<T, S>;
        using F = std::remove_pointer_t<published_detail::ValueOf<GetOn, G>>;
        static_assert(std::is_base_of_v<TComponent, F>, "a reference holds a component");
        PublishedProperty& p = m_info.Add(PropertyKind::Component, name);
        p.GetComponent = {&published_detail::GetComponent<GetOn, G>, Accessor::Of(get)};
        p.SetComponent = {&published_detail::SetComponent<SetOn, S, F>, Accessor::Of(set)};
        p.AcceptsComponent = {&published_detail::FieldAccepts<F>, Accessor()};
        p.ComponentClass = &typeid(F);
        return *this;
    }

    // A published handler of a form class: `Handler("FormShow", &TMainForm::FormShow)`.
    template <class R, class C, class... A>
    PublishedClass& Handler(const char* name, R (C::*method)(A...)) {
        static_assert(std::is_base_of_v<C, T>, "the handler must be a member of this class");
        PublishedHandler h;
        h.Name = name;
        h.Signature = &typeid(R(A...));
        h.Bind = {&published_detail::BindHandler<C, R, A...>, Accessor::Of(method)};
        m_info.AddHandler(std::move(h));
        return *this;
    }

    // A published field of a form class, assigned the component of that name after reading:
    // `Field("Background", &TMainForm::Background)`.
    template <class F, class C> PublishedClass& Field(const char* name, F* C::*member) {
        static_assert(std::is_base_of_v<C, T>, "the field must be a member of this class");
        static_assert(std::is_base_of_v<TComponent, F>, "a field holds a component");
        PublishedField f;
        f.Name = name;
        f.Accepts = {&published_detail::FieldAccepts<F>, Accessor()};
        f.Assign = {&published_detail::FieldAssign<C, F>, Accessor::Of(member)};
        m_info.AddField(std::move(f));
        return *this;
    }

    // Modifies the property registered last.
    PublishedClass& Stored(bool stored) {
        m_info.Last().Stored = stored;
        return *this;
    }
    template <class P> PublishedClass& StoredIf(P predicate) {
        m_info.Last().StoredIf = {&published_detail::StoredIf<published_detail::Target<T, P>, P>,
                                  Accessor::Of(predicate)};
        return *this;
    }

    PublishedClass& Factory(ComponentFactory factory) {
        m_info.SetFactory(factory);
        return *this;
    }

private:
    using Accessor = published_detail::Accessor;
    static constexpr const long long* NoDefault = nullptr;

    template <class G, class S, class D>
    PublishedClass& Ordinal(PropertyKind kind, const char* name, G get, S set,
                            std::initializer_list<const char*> names, const D* def) {
        using GetOn = published_detail::Target<T, G>;
        using V = published_detail::ValueOf<GetOn, G>;
        PublishedProperty& p = m_info.Add(kind, name);
        p.MinValue = published_detail::MinOf<V>();
        p.MaxValue = published_detail::MaxOf<V>();
        if (names.size() != 0)
            published_detail::SetNames(p, names);
        p.GetOrdinal = {&published_detail::GetOrdinal<GetOn, G>, Accessor::Of(get)};
        if constexpr (!published_detail::IsNoSetter<S>)
            p.SetOrdinal = {&published_detail::SetOrdinal<published_detail::Target<T, S>, S, V>,
                            Accessor::Of(set)};
        if (def) {
            p.HasDefault = true;
            p.DefaultOrdinal = static_cast<long long>(static_cast<V>(*def));
        }
        return *this;
    }

    template <class G, class S>
    PublishedClass& AddDouble(const char* name, G get, S set, const double* def) {
        using GetOn = published_detail::Target<T, G>;
        using V = published_detail::ValueOf<GetOn, G>;
        PublishedProperty& p = m_info.Add(PropertyKind::Double, name);
        p.GetDouble = {&published_detail::GetDouble<GetOn, G>, Accessor::Of(get)};
        if constexpr (!published_detail::IsNoSetter<S>)
            p.SetDouble = {&published_detail::SetDouble<published_detail::Target<T, S>, S, V>,
                           Accessor::Of(set)};
        if (def) {
            p.HasDefault = true;
            p.DefaultDouble = *def;
        }
        return *this;
    }

    template <class G, class S>
    PublishedClass& AddString(const char* name, G get, S set, const AnsiString* def) {
        PublishedProperty& p = m_info.Add(PropertyKind::String, name);
        p.GetString = {&published_detail::GetString<published_detail::Target<T, G>, G>,
                       Accessor::Of(get)};
        if constexpr (!published_detail::IsNoSetter<S>)
            p.SetString = {&published_detail::SetString<published_detail::Target<T, S>, S>,
                           Accessor::Of(set)};
        if (def) {
            p.HasDefault = true;
            p.DefaultString = *def;
        }
        return *this;
    }

    PublishedClassInfo& m_info;
};
