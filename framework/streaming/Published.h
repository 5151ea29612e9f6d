#pragma once
#include <functional>
#include <initializer_list>
#include <limits>
#include <memory>
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
// Getters and setters are member functions, data members or callables taking the object.

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
};

// One name of a Mapped property.
struct IdentMapping {
    long long Value;
    const char* Name;
};

using ComponentFactory = TComponent* (*)(TComponent* Owner);

// A published handler of a form class, e.g. TMainForm::FormShow.
struct PublishedHandler {
    std::string Name;
    const std::type_info* Signature = nullptr; // R(A...) of the member function
    // Stores in *closure, a Closure<Signature>, the handler bound to the given root form.
    std::function<void(TComponent* root, void* closure)> Bind;
};

// A published field of a form class, e.g. TMainForm::Background.
struct PublishedField {
    std::string Name;
    std::function<bool(TComponent* component)> Accepts; // the field's type can hold it
    std::function<void(TComponent* root, TComponent* component)> Assign;
};

struct PublishedProperty {
    std::string Name;
    PropertyKind Kind = PropertyKind::Int;
    bool Stored = true;                         // false: read, but never written
    std::function<bool(TPersistent*)> StoredIf; // when set: written only while it says so
    bool HasDefault = false;                    // written only when different from it

    // Int, Bool, Enum, Set, Color, Mapped
    std::function<long long(TPersistent*)> GetOrdinal;
    std::function<void(TPersistent*, long long)> SetOrdinal;
    long long MinValue = std::numeric_limits<long long>::min();
    long long MaxValue = std::numeric_limits<long long>::max();
    std::vector<std::string> Names;   // Enum: by value; Set: by bit
    std::vector<IdentMapping> Idents; // Mapped
    long long DefaultOrdinal = 0;

    std::function<double(TPersistent*)> GetDouble;
    std::function<void(TPersistent*, double)> SetDouble;
    double DefaultDouble = 0;

    std::function<AnsiString(TPersistent*)> GetString;
    std::function<void(TPersistent*, const AnsiString&)> SetString;
    AnsiString DefaultString;

    std::function<TPersistent*(TPersistent*)> GetObject;

    std::function<std::vector<unsigned char>(TPersistent*)> GetBytes;
    std::function<void(TPersistent*, const std::vector<unsigned char>&)> SetBytes;

    const std::type_info* Signature = nullptr; // Event: R(A...) of its closure
    std::function<void(TPersistent*, TComponent* root, const PublishedHandler&)> SetHandler;
    // True when the event currently holds exactly this handler bound to this root.
    std::function<bool(TPersistent*, TComponent* root, const PublishedHandler&)> HoldsHandler;
    std::function<bool(TPersistent*)> IsEventSet;

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

template <class T> T* Cast(TPersistent* object) {
    if (T* typed = dynamic_cast<T*>(object))
        return typed;
    throw EInvalidOperation(AnsiString("Published property used on a " + object->ClassName()));
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

template <class V> constexpr long long MinOf() {
    if constexpr (std::is_enum_v<V>)
        return static_cast<long long>(std::numeric_limits<std::underlying_type_t<V>>::min());
    else if constexpr (std::is_integral_v<V> && sizeof(V) < sizeof(long long))
        return static_cast<long long>(std::numeric_limits<V>::min());
    else
        return std::numeric_limits<long long>::min();
}

template <class V> constexpr long long MaxOf() {
    if constexpr (std::is_enum_v<V>)
        return static_cast<long long>(std::numeric_limits<std::underlying_type_t<V>>::max());
    else if constexpr (std::is_integral_v<V> && sizeof(V) < sizeof(long long))
        return static_cast<long long>(std::numeric_limits<V>::max());
    else if constexpr (std::is_unsigned_v<V>)
        return std::numeric_limits<long long>::max();
    else
        return std::numeric_limits<long long>::max();
}

template <class C> struct ClosureTraits;
template <class Sig> struct ClosureTraits<Closure<Sig>> { using Signature = Sig; };

} // namespace published_detail

// The builder a class registers its published part with (see the top of this file).
template <class T> class PublishedClass {
public:
    PublishedClass(const std::string& name, const std::string& parentName = "")
        : m_info(RegisterPublishedClass(name, parentName, typeid(T))) {
        if constexpr (std::is_base_of_v<TComponent, T> && !std::is_abstract_v<T> &&
                      std::is_constructible_v<T, TComponent*>)
            m_info.SetFactory([](TComponent* owner) -> TComponent* { return new T(owner); });
    }

    const PublishedClassInfo* Info() const { return &m_info; }

    template <class G, class S> PublishedClass& Int(const std::string& name, G get, S set) {
        return Ordinal(PropertyKind::Int, name, get, set, {}, NoDefault);
    }
    template <class G, class S, class D>
    PublishedClass& Int(const std::string& name, G get, S set, D def) {
        return Ordinal(PropertyKind::Int, name, get, set, {}, &def);
    }
    template <class G, class S> PublishedClass& Bool(const std::string& name, G get, S set) {
        return Ordinal(PropertyKind::Bool, name, get, set, {}, NoDefault);
    }
    template <class G, class S>
    PublishedClass& Bool(const std::string& name, G get, S set, bool def) {
        return Ordinal(PropertyKind::Bool, name, get, set, {}, &def);
    }
    template <class G, class S>
    PublishedClass& Enum(const std::string& name, G get, S set,
                         std::initializer_list<const char*> names) {
        return Ordinal(PropertyKind::Enum, name, get, set, names, NoDefault);
    }
    template <class G, class S, class D>
    PublishedClass& Enum(const std::string& name, G get, S set,
                         std::initializer_list<const char*> names, D def) {
        return Ordinal(PropertyKind::Enum, name, get, set, names, &def);
    }
    template <class G, class S>
    PublishedClass& Set(const std::string& name, G get, S set,
                        std::initializer_list<const char*> names) {
        return Ordinal(PropertyKind::Set, name, get, set, names, NoDefault);
    }
    template <class G, class S, class D>
    PublishedClass& Set(const std::string& name, G get, S set,
                        std::initializer_list<const char*> names, D def) {
        return Ordinal(PropertyKind::Set, name, get, set, names, &def);
    }
    template <class G, class S> PublishedClass& Color(const std::string& name, G get, S set) {
        return Ordinal(PropertyKind::Color, name, get, set, {}, NoDefault);
    }
    template <class G, class S, class D>
    PublishedClass& Color(const std::string& name, G get, S set, D def) {
        return Ordinal(PropertyKind::Color, name, get, set, {}, &def);
    }
    template <class G, class S>
    PublishedClass& Mapped(const std::string& name, G get, S set,
                           const std::vector<IdentMapping>& idents) {
        Ordinal(PropertyKind::Mapped, name, get, set, {}, NoDefault);
        m_info.Last().Idents = idents;
        return *this;
    }
    template <class G, class S, class D>
    PublishedClass& Mapped(const std::string& name, G get, S set,
                           const std::vector<IdentMapping>& idents, D def) {
        Ordinal(PropertyKind::Mapped, name, get, set, {}, &def);
        m_info.Last().Idents = idents;
        return *this;
    }

    template <class G, class S> PublishedClass& Double(const std::string& name, G get, S set) {
        return AddDouble(name, get, set, nullptr);
    }
    template <class G, class S>
    PublishedClass& Double(const std::string& name, G get, S set, double def) {
        return AddDouble(name, get, set, &def);
    }

    template <class G, class S> PublishedClass& String(const std::string& name, G get, S set) {
        return AddString(name, get, set, nullptr);
    }
    template <class G, class S>
    PublishedClass& String(const std::string& name, G get, S set, const AnsiString& def) {
        return AddString(name, get, set, &def);
    }

    // A sub-object: the getter returns a pointer to a TPersistent that stays owned by the
    // object; its properties are read and written through it.
    template <class G> PublishedClass& Object(const std::string& name, G get) {
        PublishedProperty p;
        p.Name = name;
        p.Kind = PropertyKind::Object;
        p.GetObject = [get](TPersistent* object) -> TPersistent* {
            return published_detail::Get(get, published_detail::Cast<T>(object));
        };
        m_info.Add(std::move(p));
        return *this;
    }

    // Bytes: the getter returns them (empty: nothing to write), the setter takes
    // const std::vector<unsigned char>&.
    template <class G, class S> PublishedClass& Binary(const std::string& name, G get, S set) {
        PublishedProperty p;
        p.Name = name;
        p.Kind = PropertyKind::Binary;
        p.GetBytes = [get](TPersistent* object) -> std::vector<unsigned char> {
            return published_detail::Get(get, published_detail::Cast<T>(object));
        };
        if constexpr (!published_detail::IsNoSetter<S>)
            p.SetBytes = [set](TPersistent* object, const std::vector<unsigned char>& bytes) {
                published_detail::Set(set, published_detail::Cast<T>(object), bytes);
            };
        m_info.Add(std::move(p));
        return *this;
    }

    // An event held in a Closure: the getter returns it, the setter takes it.
    template <class G, class S> PublishedClass& Event(const std::string& name, G get, S set) {
        using ClosureType = published_detail::ValueOf<T, G>;
        using Sig = typename published_detail::ClosureTraits<ClosureType>::Signature;
        PublishedProperty p;
        p.Name = name;
        p.Kind = PropertyKind::Event;
        p.Signature = &typeid(Sig);
        p.SetHandler = [set](TPersistent* object, TComponent* root, const PublishedHandler& h) {
            ClosureType closure;
            h.Bind(root, &closure);
            published_detail::Set(set, published_detail::Cast<T>(object), closure);
        };
        p.HoldsHandler = [get](TPersistent* object, TComponent* root, const PublishedHandler& h) {
            ClosureType bound;
            h.Bind(root, &bound);
            return ClosureType(published_detail::Get(get, published_detail::Cast<T>(object))) ==
                   bound;
        };
        p.IsEventSet = [get](TPersistent* object) {
            return static_cast<bool>(published_detail::Get(get, published_detail::Cast<T>(object)));
        };
        m_info.Add(std::move(p));
        return *this;
    }
    // An event that is a public Closure data member (TControl::OnClick).
    template <class F> PublishedClass& Event(const std::string& name, F field) {
        static_assert(std::is_member_object_pointer_v<F>, "an event field is a data member");
        return Event(name, field, field);
    }

    // A published handler of a form class: `Handler("FormShow", &TMainForm::FormShow)`.
    template <class R, class C, class... A>
    PublishedClass& Handler(const std::string& name, R (C::*method)(A...)) {
        static_assert(std::is_base_of_v<C, T>, "the handler must be a member of this class");
        PublishedHandler h;
        h.Name = name;
        h.Signature = &typeid(R(A...));
        h.Bind = [method](TComponent* root, void* closure) {
            *static_cast<::Closure<R(A...)>*>(closure) =
                ::Closure<R(A...)>(published_detail::Cast<C>(root), method);
        };
        m_info.AddHandler(std::move(h));
        return *this;
    }

    // A published field of a form class, assigned the component of that name after reading:
    // `Field("Background", &TMainForm::Background)`.
    template <class F, class C> PublishedClass& Field(const std::string& name, F* C::*member) {
        static_assert(std::is_base_of_v<C, T>, "the field must be a member of this class");
        static_assert(std::is_base_of_v<TComponent, F>, "a field holds a component");
        PublishedField f;
        f.Name = name;
        f.Accepts = [](TComponent* component) { return dynamic_cast<F*>(component) != nullptr; };
        f.Assign = [member](TComponent* root, TComponent* component) {
            published_detail::Cast<C>(root)->*member = dynamic_cast<F*>(component);
        };
        m_info.AddField(std::move(f));
        return *this;
    }

    // Modifies the property registered last.
    PublishedClass& Stored(bool stored) {
        m_info.Last().Stored = stored;
        return *this;
    }
    template <class P> PublishedClass& StoredIf(P predicate) {
        m_info.Last().StoredIf = [predicate](TPersistent* object) {
            return static_cast<bool>(std::invoke(predicate, published_detail::Cast<T>(object)));
        };
        return *this;
    }

    PublishedClass& Factory(ComponentFactory factory) {
        m_info.SetFactory(factory);
        return *this;
    }

private:
    static constexpr const long long* NoDefault = nullptr;

    template <class G, class S, class D>
    PublishedClass& Ordinal(PropertyKind kind, const std::string& name, G get, S set,
                            std::initializer_list<const char*> names, const D* def) {
        using V = published_detail::ValueOf<T, G>;
        PublishedProperty p;
        p.Name = name;
        p.Kind = kind;
        for (const char* n : names)
            p.Names.emplace_back(n);
        if constexpr (std::is_same_v<V, bool>) {
            p.MinValue = 0;
            p.MaxValue = 1;
        } else {
            p.MinValue = published_detail::MinOf<V>();
            p.MaxValue = published_detail::MaxOf<V>();
        }
        if (kind == PropertyKind::Enum && !p.Names.empty()) {
            p.MinValue = 0;
            p.MaxValue = static_cast<long long>(p.Names.size()) - 1;
        }
        p.GetOrdinal = [get](TPersistent* object) -> long long {
            return static_cast<long long>(
                published_detail::Get(get, published_detail::Cast<T>(object)));
        };
        if constexpr (!published_detail::IsNoSetter<S>)
            p.SetOrdinal = [set](TPersistent* object, long long value) {
                published_detail::Set(set, published_detail::Cast<T>(object),
                                      static_cast<V>(value));
            };
        if (def) {
            p.HasDefault = true;
            p.DefaultOrdinal = static_cast<long long>(static_cast<V>(*def));
        }
        m_info.Add(std::move(p));
        return *this;
    }

    template <class G, class S>
    PublishedClass& AddDouble(const std::string& name, G get, S set, const double* def) {
        using V = published_detail::ValueOf<T, G>;
        PublishedProperty p;
        p.Name = name;
        p.Kind = PropertyKind::Double;
        p.GetDouble = [get](TPersistent* object) -> double {
            return static_cast<double>(
                published_detail::Get(get, published_detail::Cast<T>(object)));
        };
        if constexpr (!published_detail::IsNoSetter<S>)
            p.SetDouble = [set](TPersistent* object, double value) {
                published_detail::Set(set, published_detail::Cast<T>(object),
                                      static_cast<V>(value));
            };
        if (def) {
            p.HasDefault = true;
            p.DefaultDouble = *def;
        }
        m_info.Add(std::move(p));
        return *this;
    }

    template <class G, class S>
    PublishedClass& AddString(const std::string& name, G get, S set, const AnsiString* def) {
        PublishedProperty p;
        p.Name = name;
        p.Kind = PropertyKind::String;
        p.GetString = [get](TPersistent* object) -> AnsiString {
            return AnsiString(published_detail::Get(get, published_detail::Cast<T>(object)));
        };
        if constexpr (!published_detail::IsNoSetter<S>)
            p.SetString = [set](TPersistent* object, const AnsiString& value) {
                T* typed = published_detail::Cast<T>(object);
                if constexpr (std::is_member_object_pointer_v<S>) {
                    using F = std::decay_t<decltype(typed->*set)>;
                    if constexpr (std::is_same_v<F, std::string>)
                        typed->*set = value.str();
                    else
                        typed->*set = value;
                } else if constexpr (std::is_invocable_v<const S&, T*, const AnsiString&>) {
                    std::invoke(set, typed, value);
                } else {
                    std::invoke(set, typed, value.str());
                }
            };
        if (def) {
            p.HasDefault = true;
            p.DefaultString = *def;
        }
        m_info.Add(std::move(p));
        return *this;
    }

    PublishedClassInfo& m_info;
};
