// Writing the text form description: kept apart from the parser, so that a program that only
// reads descriptions does not carry the writer (and the number formatting it brings).
#include "framework/streaming/FormText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "framework/core/Exceptions.h"

namespace {

bool IsIdent(const std::string& name) {
    return !name.empty() && name.size() <= MaxFormIdentLength && IsIdentStart(name[0]) &&
           std::all_of(name.begin(), name.end(), IsIdentChar);
}

// A dotted sequence of identifiers, as paths and identifier values are.
bool IsDottedIdent(const std::string& name) {
    size_t start = 0;
    for (;;) {
        const size_t dot = name.find('.', start);
        if (!IsIdent(
                name.substr(start, dot == std::string::npos ? std::string::npos : dot - start)))
            return false;
        if (dot == std::string::npos)
            return true;
        start = dot + 1;
    }
}

bool IsKeyword(const std::string& name) {
    return SameName(name, "object") || SameName(name, "end") || SameName(name, "inherited") ||
           SameName(name, "inline");
}

[[noreturn]] void WriteError(const std::string& message) {
    throw EStreamError(AnsiString("Cannot write the form description: " + message));
}

class Writer {
public:
    std::string Write(const FormObject& root) {
        WriteObject(root, 0);
        return std::move(m_out);
    }

private:
    void Indent(int depth) { m_out.append(static_cast<size_t>(depth) * 2, ' '); }

    void WriteObject(const FormObject& object, int depth) {
        if (depth >= MaxFormNesting)
            WriteError("objects nested deeper than " + std::to_string(MaxFormNesting) + " levels");
        if (!IsIdent(object.ClassName) || IsKeyword(object.ClassName) ||
            (!object.Name.empty() && (!IsIdent(object.Name) || IsKeyword(object.Name))))
            WriteError("invalid object name '" + object.Name + ": " + object.ClassName + "'");
        Indent(depth);
        m_out += "object ";
        if (!object.Name.empty())
            m_out += object.Name + ": ";
        m_out += object.ClassName;
        m_out += '\n';
        for (const FormProperty& property : object.Properties) {
            if (!IsDottedIdent(property.Path) ||
                IsKeyword(property.Path.substr(0, property.Path.find('.'))))
                WriteError("invalid property name '" + property.Path + "'");
            Indent(depth + 1);
            m_out += property.Path;
            m_out += " = ";
            WriteValue(property.Value, depth + 1);
            m_out += '\n';
        }
        for (const FormObject& child : object.Children)
            WriteObject(child, depth + 1);
        Indent(depth);
        m_out += "end\n";
    }

    void WriteValue(const FormValue& value, int depth) {
        switch (value.Kind) {
        case FormValueKind::Integer:
            m_out += std::to_string(value.Integer);
            return;
        case FormValueKind::Double:
            WriteDouble(value.Number);
            return;
        case FormValueKind::String:
            WriteString(value.Text, depth);
            return;
        case FormValueKind::Ident:
            if (!IsDottedIdent(value.Text) || IsKeyword(value.Text.substr(0, value.Text.find('.'))))
                WriteError("invalid identifier value '" + value.Text + "'");
            m_out += value.Text;
            return;
        case FormValueKind::Set:
            m_out += '[';
            for (size_t i = 0; i < value.Elements.size(); ++i) {
                if (!IsIdent(value.Elements[i]))
                    WriteError("invalid set element '" + value.Elements[i] + "'");
                if (i > 0)
                    m_out += ", ";
                m_out += value.Elements[i];
            }
            m_out += ']';
            return;
        case FormValueKind::Binary:
            WriteBinary(value.Bytes, depth);
            return;
        }
    }

    void WriteDouble(double number) {
        if (!std::isfinite(number))
            WriteError("a number that is not finite");
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%.17g", number);
        std::string text = buffer;
        if (text.find_first_of(".e") == std::string::npos)
            text += ".0";
        m_out += text;
    }

    // Printable characters go in quotes, the others as #codes; long strings continue on the
    // next line after a +.
    void WriteString(const std::string& text, int depth) {
        constexpr size_t lineLength = 64;
        if (text.empty()) {
            m_out += "''";
            return;
        }
        size_t onLine = 0;
        bool quoted = false;
        for (size_t i = 0; i < text.size(); ++i) {
            if (onLine >= lineLength) {
                if (quoted)
                    m_out += '\'';
                quoted = false;
                m_out += " +\n";
                Indent(depth + 1);
                onLine = 0;
            }
            const auto c = static_cast<unsigned char>(text[i]);
            if (c >= 32 && c < 127) {
                if (!quoted)
                    m_out += '\'';
                quoted = true;
                m_out += static_cast<char>(c);
                if (c == '\'')
                    m_out += '\'';
            } else {
                if (quoted)
                    m_out += '\'';
                quoted = false;
                m_out += '#';
                m_out += std::to_string(c);
            }
            ++onLine;
        }
        if (quoted)
            m_out += '\'';
    }

    void WriteBinary(const std::vector<unsigned char>& bytes, int depth) {
        static const char digits[] = "0123456789ABCDEF";
        constexpr size_t bytesPerLine = 32;
        m_out += '{';
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (i % bytesPerLine == 0) {
                m_out += '\n';
                Indent(depth + 1);
            }
            m_out += digits[bytes[i] >> 4];
            m_out += digits[bytes[i] & 15];
        }
        m_out += '}';
    }

    std::string m_out;
};

} // namespace

std::string WriteFormText(const FormObject& root) {
    return Writer().Write(root);
}
