#include "framework/streaming/FormReader.h"

#include <map>
#include <utility>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/streaming/Published.h"

namespace {

std::string Describe(const FormValue& value) {
    switch (value.Kind) {
    case FormValueKind::Integer:
        return "the integer " + std::to_string(value.Integer);
    case FormValueKind::Double:
        return "a floating-point number";
    case FormValueKind::String:
        return "a string";
    case FormValueKind::Ident:
        return "the identifier " + value.Text;
    case FormValueKind::Set:
        return "a set";
    case FormValueKind::Binary:
        return "binary data";
    }
    return "a value";
}

class Reader {
public:
    explicit Reader(TComponent* root) : m_root(root) {}

    void Read(const FormObject& description) {
        m_rootClass = ClassOf(m_root);
        if (!m_rootClass)
            RaiseReadError(description.Line, "Class " + m_root->ClassName() + " is not registered");
        if (!SameName(description.ClassName, m_rootClass->Name()))
            RaiseReadError(description.Line, "The description is of a " + description.ClassName +
                                                 ", not of a " + m_rootClass->Name());
        m_root->SetComponentState(csLoading, true);
        m_root->SetComponentState(csReading, true);
        try {
            if (!description.Name.empty())
                Guard(description.Line, description.Name,
                      [&] { m_root->SetName(AnsiString(description.Name)); });
            ReadProperties(m_root, m_rootClass, description, description.Name);
            for (const FormObject& child : description.Children)
                ReadComponent(child, m_root);
            ResolveReferences();
            AssignFields(description.Line);
        } catch (...) {
            Undo();
            throw;
        }
        m_root->SetComponentState(csReading, false);
        for (TComponent* component : m_created)
            component->SetComponentState(csReading, false);
        m_root->Loaded();
        for (TComponent* component : m_created)
            component->Loaded();
    }

private:
    // Runs a setter (or anything else of the component's own) and names the line in what
    // it raises.
    template <class F> void Guard(int line, const std::string& context, F&& action) {
        try {
            action();
        } catch (const Exception& e) {
            RaiseReadError(line, "Error reading " + context + ": " + e.Message.str());
        }
    }

    void Undo() {
        for (auto it = m_created.rbegin(); it != m_created.rend(); ++it)
            delete *it;
        m_created.clear();
        m_root->SetComponentState(csReading, false);
        m_root->SetComponentState(csLoading, false);
    }

    void ReadComponent(const FormObject& object, TComponent* enclosing) {
        const PublishedClassInfo* info = FindClass(object.ClassName);
        if (!info)
            RaiseReadError(object.Line, "Class " + object.ClassName + " not found");
        if (!info->Factory())
            RaiseReadError(object.Line, "Class " + info->Name() + " cannot be created");
        if (!object.Name.empty() && m_root->FindComponent(AnsiString(object.Name)))
            RaiseReadError(object.Line, "A component named " + object.Name + " already exists");
        const std::string context = object.Name.empty() ? info->Name() : object.Name;
        TComponent* component = nullptr;
        Guard(object.Line, context, [&] { component = info->Factory()(m_root); });
        m_created.push_back(component);
        m_lines[component] = object.Line;
        component->SetComponentState(csLoading, true);
        component->SetComponentState(csReading, true);
        Guard(object.Line, context, [&] {
            if (!object.Name.empty())
                component->SetName(AnsiString(object.Name));
            if (auto setParent = GetFormParentHooks().SetParent)
                setParent(component, enclosing);
        });
        ReadProperties(component, info, object, context);
        for (const FormObject& child : object.Children)
            ReadComponent(child, component);
    }

    void ReadProperties(TComponent* component, const PublishedClassInfo* info,
                        const FormObject& object, const std::string& context) {
        for (const FormProperty& property : object.Properties)
            ReadProperty(component, info, property, context);
    }

    void ReadProperty(TPersistent* object, const PublishedClassInfo* info,
                      const FormProperty& property, const std::string& owner) {
        const std::string context = owner.empty() ? property.Path : owner + "." + property.Path;
        const std::string& path = property.Path;
        size_t start = 0;
        for (;;) {
            const size_t dot = path.find('.', start);
            const std::string name =
                path.substr(start, dot == std::string::npos ? dot : dot - start);
            const PublishedProperty* published = info->FindProperty(name);
            if (!published)
                RaiseReadError(property.Line, "Error reading " + context + ": Property " + name +
                                                  " does not exist in " + info->Name());
            if (dot == std::string::npos) {
                SetValue(object, *published, property, context);
                return;
            }
            if (published->Kind != PropertyKind::Object)
                RaiseReadError(property.Line, "Error reading " + context + ": Property " + name +
                                                  " is not an object");
            TPersistent* sub = nullptr;
            Guard(property.Line, context, [&] { sub = published->GetObject(object); });
            if (!sub)
                RaiseReadError(property.Line, "Error reading " + context + ": Property " + name +
                                                  " holds no object");
            info = ClassOf(sub);
            if (!info)
                RaiseReadError(property.Line, "Error reading " + context + ": Class " +
                                                  sub->ClassName() + " is not registered");
            object = sub;
            start = dot + 1;
        }
    }

    [[noreturn]] void Invalid(const FormProperty& property, const std::string& context,
                              const std::string& why) {
        RaiseReadError(property.Line, "Error reading " + context + ": " + why);
    }

    void SetValue(TPersistent* object, const PublishedProperty& published,
                  const FormProperty& property, const std::string& context) {
        const FormValue& value = property.Value;
        if (published.Kind == PropertyKind::Object)
            Invalid(property, context,
                    "Property " + published.Name + " is an object; set its properties instead");
        if (published.IsReadOnly())
            Invalid(property, context, "Property " + published.Name + " is read-only");
        auto wrongKind = [&](const char* expected) {
            Invalid(property, context,
                    std::string("Expected ") + expected + " but found " + Describe(value));
        };
        switch (published.Kind) {
        case PropertyKind::Int:
        case PropertyKind::Color:
        case PropertyKind::Mapped:
        case PropertyKind::Bool:
        case PropertyKind::Enum: {
            long long ordinal = 0;
            if (value.Kind == FormValueKind::Integer && published.Kind != PropertyKind::Bool &&
                published.Kind != PropertyKind::Enum) {
                ordinal = value.Integer;
                if (ordinal < published.MinValue || ordinal > published.MaxValue)
                    Invalid(property, context,
                            "Value " + std::to_string(ordinal) + " is out of range (" +
                                std::to_string(published.MinValue) + ".." +
                                std::to_string(published.MaxValue) + ")");
            } else if (value.Kind == FormValueKind::Ident && published.Kind != PropertyKind::Int) {
                if (!published.ValueOf(value.Text, ordinal))
                    Invalid(property, context,
                            "Invalid value " + value.Text + " for property " + published.Name);
                if (ordinal < published.MinValue || ordinal > published.MaxValue)
                    Invalid(property, context,
                            "Value " + value.Text + " is out of range for property " +
                                published.Name);
            } else {
                wrongKind(published.Kind == PropertyKind::Int    ? "an integer"
                          : published.Kind == PropertyKind::Bool ? "True or False"
                          : published.Kind == PropertyKind::Enum ? "an identifier"
                                                                 : "an integer or a name");
            }
            Guard(property.Line, context, [&] { published.SetOrdinal(object, ordinal); });
            return;
        }
        case PropertyKind::Set: {
            if (value.Kind != FormValueKind::Set)
                wrongKind("a set");
            unsigned long long bits = 0;
            for (const std::string& element : value.Elements) {
                size_t index = 0;
                while (index < published.Names.size() && !SameName(published.Names[index], element))
                    ++index;
                if (index == published.Names.size())
                    Invalid(property, context,
                            "Invalid set element " + element + " for property " + published.Name);
                if (index >= 63)
                    Invalid(property, context, "Set element " + element + " is out of range");
                bits |= 1ull << index;
            }
            const long long ordinal = static_cast<long long>(bits);
            if (ordinal > published.MaxValue)
                Invalid(property, context, "Set is out of range for property " + published.Name);
            Guard(property.Line, context, [&] { published.SetOrdinal(object, ordinal); });
            return;
        }
        case PropertyKind::Double: {
            double number = 0;
            if (value.Kind == FormValueKind::Double)
                number = value.Number;
            else if (value.Kind == FormValueKind::Integer)
                number = static_cast<double>(value.Integer);
            else
                wrongKind("a number");
            Guard(property.Line, context, [&] { published.SetDouble(object, number); });
            return;
        }
        case PropertyKind::String:
            if (value.Kind != FormValueKind::String)
                wrongKind("a string");
            Guard(property.Line, context,
                  [&] { published.SetString(object, AnsiString(value.Text)); });
            return;
        case PropertyKind::Binary:
            if (value.Kind != FormValueKind::Binary)
                wrongKind("binary data");
            Guard(property.Line, context, [&] { published.SetBytes(object, value.Bytes); });
            return;
        case PropertyKind::Event: {
            if (value.Kind != FormValueKind::Ident)
                wrongKind("the name of a handler");
            const PublishedHandler* handler = m_rootClass->FindHandler(value.Text);
            if (!handler)
                Invalid(property, context,
                        "Handler " + value.Text + " not found in " + m_rootClass->Name());
            if (*handler->Signature != *published.Signature)
                Invalid(property, context,
                        "Handler " + value.Text + " does not fit event " + published.Name);
            Guard(property.Line, context, [&] { published.SetHandler(object, m_root, *handler); });
            return;
        }
        case PropertyKind::Component:
            if (value.Kind != FormValueKind::Ident)
                wrongKind("the name of a component");
            m_references.push_back(
                Reference{object, &published, value.Text, property.Line, context});
            return;
        case PropertyKind::Object:
            return;
        }
    }

    // A reference names a component of the root (or the root itself) of the property's class.
    void ResolveReferences() {
        for (const Reference& reference : m_references) {
            TComponent* component = m_root->FindComponent(AnsiString(reference.Name));
            if (!component && SameName(reference.Name, m_root->Name().str()))
                component = m_root;
            const std::string where = "Error reading " + reference.Context + ": ";
            if (!component)
                RaiseReadError(reference.Line,
                               where + "Component " + reference.Name + " not found");
            if (!reference.Property->AcceptsComponent(component)) {
                const PublishedClassInfo* expected =
                    ClassOfType(*reference.Property->ComponentClass);
                RaiseReadError(
                    reference.Line,
                    where + reference.Name + " is a " + component->ClassName() + ", not a " +
                        (expected ? expected->Name()
                                  : ClassNameOf(reference.Property->ComponentClass->name())));
            }
            Guard(reference.Line, reference.Context,
                  [&] { reference.Property->SetComponent(reference.Object, component); });
        }
        m_references.clear();
    }

    // Checks every field first, so that a field that cannot hold its component leaves all
    // fields untouched.
    void AssignFields(int rootLine) {
        std::vector<std::pair<const PublishedField*, TComponent*>> assignments;
        for (const PublishedField* field : m_rootClass->Fields())
            if (TComponent* component = m_root->FindComponent(AnsiString(field->Name)))
                assignments.emplace_back(field, component);
        for (const auto& [field, component] : assignments)
            if (!field->Accepts(component)) {
                const auto line = m_lines.find(component);
                RaiseReadError(line == m_lines.end() ? rootLine : line->second,
                               "Field " + field->Name + " of " + m_rootClass->Name() +
                                   " cannot hold a " + component->ClassName());
            }
        for (const auto& [field, component] : assignments)
            field->Assign(m_root, component);
    }

    struct Reference {
        TPersistent* Object;
        const PublishedProperty* Property;
        std::string Name;
        int Line;
        std::string Context;
    };

    TComponent* m_root;
    const PublishedClassInfo* m_rootClass = nullptr;
    std::vector<TComponent*> m_created;
    std::vector<Reference> m_references;
    std::map<TComponent*, int> m_lines;
};

} // namespace

void ReadFormTree(TComponent* root, const FormObject& description) {
    Reader(root).Read(description);
}

void ReadForm(TComponent* root, const std::string& text) {
    ReadFormTree(root, ParseFormText(text));
}
