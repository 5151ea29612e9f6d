#include "framework/streaming/Published.h"

#include <algorithm>
#include <map>

#include "framework/core/Color.h"
#include "framework/streaming/FormText.h"

namespace {

// Every registration bumps the generation, so the merged property lists are rebuilt when a
// class (or one of its ancestors) changed.
unsigned g_generation = 1;

struct Registry {
    std::vector<std::unique_ptr<PublishedClassInfo>> classes;
    std::map<std::type_index, PublishedClassInfo*> byType;
    std::vector<std::pair<std::string, std::vector<std::string>>> palette;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

PublishedClassInfo* FindMutable(const std::string& name) {
    for (auto& info : TheRegistry().classes)
        if (SameName(info->Name(), name))
            return info.get();
    return nullptr;
}

// Guards against a class registered as its own ancestor.
constexpr int MaxClassDepth = 64;

} // namespace

bool PublishedProperty::IsOrdinal() const {
    switch (Kind) {
    case PropertyKind::Int:
    case PropertyKind::Bool:
    case PropertyKind::Enum:
    case PropertyKind::Set:
    case PropertyKind::Color:
    case PropertyKind::Mapped:
        return true;
    default:
        return false;
    }
}

bool PublishedProperty::IsReadOnly() const {
    switch (Kind) {
    case PropertyKind::Double:
        return !SetDouble;
    case PropertyKind::String:
        return !SetString;
    case PropertyKind::Object:
        return false;
    case PropertyKind::Binary:
        return !SetBytes;
    case PropertyKind::Event:
        return !SetHandler;
    case PropertyKind::Component:
        return !SetComponent;
    default:
        return !SetOrdinal;
    }
}

std::string PublishedProperty::IdentOf(long long value) const {
    switch (Kind) {
    case PropertyKind::Bool:
        return value ? "True" : "False";
    case PropertyKind::Enum:
        if (value >= 0 && value < static_cast<long long>(Names.size()))
            return Names[static_cast<size_t>(value)];
        return "";
    case PropertyKind::Color: {
        std::string ident;
        if (value >= std::numeric_limits<TColor>::min() &&
            value <= std::numeric_limits<TColor>::max() &&
            ColorToIdent(static_cast<TColor>(value), ident))
            return ident;
        return "";
    }
    case PropertyKind::Mapped:
        for (const IdentMapping& mapping : Idents)
            if (mapping.Value == value)
                return mapping.Name;
        return "";
    default:
        return "";
    }
}

bool PublishedProperty::ValueOf(const std::string& ident, long long& value) const {
    switch (Kind) {
    case PropertyKind::Bool:
        if (SameName(ident, "True") || SameName(ident, "False")) {
            value = SameName(ident, "True") ? 1 : 0;
            return true;
        }
        return false;
    case PropertyKind::Enum:
        for (size_t i = 0; i < Names.size(); ++i)
            if (SameName(Names[i], ident)) {
                value = static_cast<long long>(i);
                return true;
            }
        return false;
    case PropertyKind::Color: {
        TColor color = 0;
        if (!IdentToColor(ident, color))
            return false;
        value = color;
        return true;
    }
    case PropertyKind::Mapped:
        for (const IdentMapping& mapping : Idents)
            if (SameName(mapping.Name, ident)) {
                value = mapping.Value;
                return true;
            }
        return false;
    default:
        return false;
    }
}

PublishedClassInfo::PublishedClassInfo(std::string name, std::string parentName,
                                       std::type_index type)
    : m_name(std::move(name)), m_parentName(std::move(parentName)), m_type(type) {}

const PublishedClassInfo* PublishedClassInfo::Parent() const {
    if (m_parentName.empty())
        return nullptr;
    if (const PublishedClassInfo* parent = FindClass(m_parentName))
        return parent;
    throw EInvalidOperation(
        AnsiString("Class " + m_name + ": parent class " + m_parentName + " is not registered"));
}

bool PublishedClassInfo::InheritsFrom(const PublishedClassInfo* ancestor) const {
    int depth = 0;
    for (const PublishedClassInfo* c = this; c && depth < MaxClassDepth; c = c->Parent(), ++depth)
        if (c == ancestor)
            return true;
    return false;
}

const std::vector<const PublishedProperty*>& PublishedClassInfo::Properties() const {
    if (m_allGeneration == g_generation)
        return m_all;
    std::vector<const PublishedClassInfo*> chain;
    for (const PublishedClassInfo* c = this; c; c = c->Parent()) {
        if (chain.size() >= MaxClassDepth)
            throw EInvalidOperation(AnsiString("Class " + m_name + " inherits from itself"));
        chain.push_back(c);
    }
    std::vector<const PublishedProperty*> all;
    for (auto c = chain.rbegin(); c != chain.rend(); ++c)
        for (const auto& property : (*c)->m_own) {
            auto same = std::find_if(all.begin(), all.end(), [&](const PublishedProperty* p) {
                return SameName(p->Name, property->Name);
            });
            if (same != all.end())
                *same = property.get();
            else
                all.push_back(property.get());
        }
    m_all = std::move(all);
    m_allGeneration = g_generation;
    return m_all;
}

const PublishedProperty* PublishedClassInfo::FindProperty(const std::string& name) const {
    for (const PublishedProperty* property : Properties())
        if (SameName(property->Name, name))
            return property;
    return nullptr;
}

const PublishedHandler* PublishedClassInfo::FindHandler(const std::string& name) const {
    for (const PublishedHandler* handler : Handlers())
        if (SameName(handler->Name, name))
            return handler;
    return nullptr;
}

std::vector<const PublishedHandler*> PublishedClassInfo::Handlers() const {
    std::vector<const PublishedHandler*> handlers;
    int depth = 0;
    for (const PublishedClassInfo* c = this; c && depth < MaxClassDepth; c = c->Parent(), ++depth)
        for (const auto& handler : c->m_handlers)
            handlers.push_back(handler.get());
    return handlers;
}

std::vector<const PublishedField*> PublishedClassInfo::Fields() const {
    std::vector<const PublishedField*> fields;
    int depth = 0;
    for (const PublishedClassInfo* c = this; c && depth < MaxClassDepth; c = c->Parent(), ++depth)
        for (const auto& field : c->m_fields)
            fields.push_back(field.get());
    return fields;
}

void PublishedClassInfo::Reset(const std::string& parentName, std::type_index type) {
    m_parentName = parentName;
    m_type = type;
    m_factory = nullptr;
    m_own.clear();
    m_handlers.clear();
    m_fields.clear();
    ++g_generation;
}

PublishedProperty& PublishedClassInfo::Add(PublishedProperty property) {
    ++g_generation;
    for (auto& own : m_own)
        if (SameName(own->Name, property.Name)) {
            *own = std::move(property);
            return *own;
        }
    m_own.push_back(std::make_unique<PublishedProperty>(std::move(property)));
    return *m_own.back();
}

PublishedProperty& PublishedClassInfo::Add(PropertyKind kind, const char* name) {
    PublishedProperty property;
    property.Name = name;
    property.Kind = kind;
    return Add(std::move(property));
}

PublishedProperty& PublishedClassInfo::Last() {
    if (m_own.empty())
        throw EInvalidOperation(AnsiString("Class " + m_name + " has no property to modify"));
    return *m_own.back();
}

void PublishedClassInfo::AddHandler(PublishedHandler handler) {
    m_handlers.push_back(std::make_unique<PublishedHandler>(std::move(handler)));
}

void PublishedClassInfo::AddField(PublishedField field) {
    m_fields.push_back(std::make_unique<PublishedField>(std::move(field)));
}

PublishedClassInfo& RegisterPublishedClass(const std::string& name, const std::string& parentName,
                                           std::type_index type) {
    Registry& registry = TheRegistry();
    PublishedClassInfo* info = FindMutable(name);
    if (info) {
        auto old = registry.byType.find(info->Type());
        if (old != registry.byType.end() && old->second == info)
            registry.byType.erase(old);
        info->Reset(parentName, type);
    } else {
        registry.classes.push_back(std::make_unique<PublishedClassInfo>(name, parentName, type));
        info = registry.classes.back().get();
        ++g_generation;
    }
    registry.byType[type] = info;
    return *info;
}

const PublishedClassInfo* FindClass(const std::string& name) {
    return FindMutable(name);
}

const PublishedClassInfo* ClassOfType(std::type_index type) {
    const Registry& registry = TheRegistry();
    auto found = registry.byType.find(type);
    return found == registry.byType.end() ? nullptr : found->second;
}

const PublishedClassInfo* ClassOf(const TPersistent* object) {
    return object ? ClassOfType(typeid(*object)) : nullptr;
}

void RegisterComponents(const AnsiString& page,
                        std::initializer_list<const PublishedClassInfo*> classes) {
    for (const PublishedClassInfo* info : classes)
        if (!info)
            throw EInvalidOperation(
                AnsiString("Cannot put an unregistered class on the palette page " + page.str()));
    auto& palette = TheRegistry().palette;
    auto entry = std::find_if(palette.begin(), palette.end(),
                              [&](const auto& p) { return p.first == page.str(); });
    if (entry == palette.end()) {
        palette.emplace_back(page.str(), std::vector<std::string>());
        entry = palette.end() - 1;
    }
    for (const PublishedClassInfo* info : classes)
        if (std::find(entry->second.begin(), entry->second.end(), info->Name()) ==
            entry->second.end())
            entry->second.push_back(info->Name());
}

std::vector<std::string> PaletteClasses(const AnsiString& page) {
    for (const auto& entry : TheRegistry().palette)
        if (entry.first == page.str())
            return entry.second;
    return {};
}

std::vector<std::string> PalettePages() {
    std::vector<std::string> pages;
    for (const auto& entry : TheRegistry().palette)
        pages.push_back(entry.first);
    return pages;
}

namespace {
FormParentHooks g_parentHooks;
}

void SetFormParentHooks(const FormParentHooks& hooks) {
    g_parentHooks = hooks;
}

const FormParentHooks& GetFormParentHooks() {
    return g_parentHooks;
}

namespace published_detail {

void ThrowWrongClass(TPersistent* object) {
    throw EInvalidOperation(AnsiString("Published property used on a " + object->ClassName()));
}

void SetNames(PublishedProperty& property, std::initializer_list<const char*> names) {
    property.Names.assign(names.begin(), names.end());
    if (property.Kind == PropertyKind::Enum && !property.Names.empty()) {
        property.MinValue = 0;
        property.MaxValue = static_cast<long long>(property.Names.size()) - 1;
    }
}

} // namespace published_detail
