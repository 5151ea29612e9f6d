#include "framework/streaming/FormWriter.h"

#include <algorithm>

#include "framework/core/Exceptions.h"
#include "framework/streaming/Published.h"

namespace {

// Sub-objects that lead back to themselves would recurse forever; no real path is this deep.
constexpr int MaxObjectPathDepth = 16;

[[noreturn]] void WriteError(const std::string& message) {
    throw EStreamError(AnsiString("Cannot write the form description: " + message));
}

class Writer {
public:
    explicit Writer(TComponent* root) : m_root(root) {}

    FormObject Write() {
        m_rootClass = ClassOf(m_root);
        if (!m_rootClass)
            WriteError("class " + m_root->ClassName() + " is not registered");
        FormObject description = Describe(m_root, m_rootClass);
        WriteChildren(m_root, description);
        return description;
    }

private:
    FormObject Describe(TComponent* component, const PublishedClassInfo* info) {
        FormObject object;
        object.Name = component->Name().str();
        object.ClassName = info->Name();
        WriteProperties(component, info, "", object.Properties, 0);
        return object;
    }

    // The component an owned component is written inside: its parent when that is another
    // component of the root, else the root itself.
    TComponent* EnclosingOf(TComponent* component) {
        auto getParent = GetFormParentHooks().GetParent;
        TComponent* parent = getParent ? getParent(component) : nullptr;
        if (parent && parent != component && parent->Owner() == m_root)
            return parent;
        return m_root;
    }

    void WriteChildren(TComponent* enclosing, FormObject& into) {
        for (int i = 0; i < m_root->ComponentCount(); ++i) {
            TComponent* component = m_root->Components(i);
            if (EnclosingOf(component) != enclosing)
                continue;
            const PublishedClassInfo* info = ClassOf(component);
            if (!info)
                WriteError("class " + component->ClassName() + " of " + component->Name().str() +
                           " is not registered");
            into.Children.push_back(Describe(component, info));
            WriteChildren(component, into.Children.back());
        }
    }

    void WriteProperties(TPersistent* object, const PublishedClassInfo* info,
                         const std::string& prefix, std::vector<FormProperty>& out, int depth) {
        if (depth > MaxObjectPathDepth)
            WriteError("sub-objects nested deeper than " + std::to_string(MaxObjectPathDepth) +
                       " levels at " + prefix);
        for (const PublishedProperty* property : info->Properties()) {
            if (!property->Stored || (property->StoredIf && !property->StoredIf(object)))
                continue;
            if (property->Kind != PropertyKind::Object && property->IsReadOnly())
                continue;
            const std::string path = prefix + property->Name;
            if (property->Kind == PropertyKind::Object) {
                TPersistent* sub = property->GetObject(object);
                if (!sub)
                    continue;
                const PublishedClassInfo* subInfo = ClassOf(sub);
                if (!subInfo)
                    WriteError("class " + sub->ClassName() + " of " + path + " is not registered");
                WriteProperties(sub, subInfo, path + ".", out, depth + 1);
                continue;
            }
            FormValue value;
            if (ValueOf(object, *property, path, value))
                out.push_back(FormProperty{path, std::move(value), 0});
        }
    }

    // False when the property keeps its default and is left out.
    bool ValueOf(TPersistent* object, const PublishedProperty& property, const std::string& path,
                 FormValue& value) {
        switch (property.Kind) {
        case PropertyKind::Int:
        case PropertyKind::Bool:
        case PropertyKind::Enum:
        case PropertyKind::Color:
        case PropertyKind::Mapped: {
            const long long ordinal = property.GetOrdinal(object);
            if (property.HasDefault && ordinal == property.DefaultOrdinal)
                return false;
            const std::string ident = property.IdentOf(ordinal);
            if (!ident.empty())
                value = FormValue::OfIdent(ident);
            else if (property.Kind == PropertyKind::Bool || property.Kind == PropertyKind::Enum)
                WriteError(path + " has the value " + std::to_string(ordinal) +
                           ", which has no name");
            else
                value = FormValue::OfInteger(ordinal);
            return true;
        }
        case PropertyKind::Set: {
            const long long ordinal = property.GetOrdinal(object);
            if (property.HasDefault && ordinal == property.DefaultOrdinal)
                return false;
            const auto bits = static_cast<unsigned long long>(ordinal);
            std::vector<std::string> elements;
            for (size_t i = 0; i < 64; ++i) {
                if (!(bits & (1ull << i)))
                    continue;
                if (i >= property.Names.size())
                    WriteError(path + " holds element " + std::to_string(i) +
                               ", which has no name");
                elements.push_back(property.Names[i]);
            }
            value = FormValue::OfSet(std::move(elements));
            return true;
        }
        case PropertyKind::Double: {
            const double number = property.GetDouble(object);
            if (property.HasDefault && number == property.DefaultDouble)
                return false;
            value = FormValue::OfDouble(number);
            return true;
        }
        case PropertyKind::String: {
            AnsiString text = property.GetString(object);
            if (property.HasDefault && text == property.DefaultString)
                return false;
            value = FormValue::OfString(text.str());
            return true;
        }
        case PropertyKind::Binary: {
            std::vector<unsigned char> bytes = property.GetBytes(object);
            if (bytes.empty())
                return false;
            value = FormValue::OfBinary(std::move(bytes));
            return true;
        }
        case PropertyKind::Event: {
            if (!property.IsEventSet(object))
                return false;
            for (const PublishedHandler* handler : m_rootClass->Handlers())
                if (*handler->Signature == *property.Signature &&
                    property.HoldsHandler(object, m_root, *handler)) {
                    value = FormValue::OfIdent(handler->Name);
                    return true;
                }
            return false;
        }
        case PropertyKind::Component: {
            TComponent* component = property.GetComponent(object);
            if (!component)
                return false;
            // Only a named component of this root can be found again by the reader.
            if ((component != m_root && component->Owner() != m_root) ||
                component->Name().str().empty())
                WriteError(path + " refers to a component that is not a named part of " +
                           m_root->Name().str());
            value = FormValue::OfIdent(component->Name().str());
            return true;
        }
        case PropertyKind::Object:
            return false;
        }
        return false;
    }

    TComponent* m_root;
    const PublishedClassInfo* m_rootClass = nullptr;
};

} // namespace

FormObject WriteFormTree(TComponent* root) {
    return Writer(root).Write();
}

std::string WriteForm(TComponent* root) {
    return WriteFormText(WriteFormTree(root));
}
