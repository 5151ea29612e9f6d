#include "framework/streaming/FormText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "framework/core/DecimalDouble.h"
#include "framework/core/Exceptions.h"

FormValue FormValue::OfInteger(long long value) {
    FormValue v;
    v.Kind = FormValueKind::Integer;
    v.Integer = value;
    return v;
}

FormValue FormValue::OfDouble(double value) {
    FormValue v;
    v.Kind = FormValueKind::Double;
    v.Number = value;
    return v;
}

FormValue FormValue::OfString(std::string value) {
    FormValue v;
    v.Kind = FormValueKind::String;
    v.Text = std::move(value);
    return v;
}

FormValue FormValue::OfIdent(std::string name) {
    FormValue v;
    v.Kind = FormValueKind::Ident;
    v.Text = std::move(name);
    return v;
}

FormValue FormValue::OfSet(std::vector<std::string> elements) {
    FormValue v;
    v.Kind = FormValueKind::Set;
    v.Elements = std::move(elements);
    return v;
}

FormValue FormValue::OfBinary(std::vector<unsigned char> bytes) {
    FormValue v;
    v.Kind = FormValueKind::Binary;
    v.Bytes = std::move(bytes);
    return v;
}

bool operator==(const FormValue& a, const FormValue& b) {
    if (a.Kind != b.Kind)
        return false;
    switch (a.Kind) {
    case FormValueKind::Integer:
        return a.Integer == b.Integer;
    case FormValueKind::Double:
        return a.Number == b.Number && std::signbit(a.Number) == std::signbit(b.Number);
    case FormValueKind::String:
    case FormValueKind::Ident:
        return a.Text == b.Text;
    case FormValueKind::Set:
        return a.Elements == b.Elements;
    case FormValueKind::Binary:
        return a.Bytes == b.Bytes;
    }
    return false;
}

bool SameFormTree(const FormObject& a, const FormObject& b) {
    if (a.Name != b.Name || a.ClassName != b.ClassName ||
        a.Properties.size() != b.Properties.size() || a.Children.size() != b.Children.size())
        return false;
    for (size_t i = 0; i < a.Properties.size(); ++i)
        if (a.Properties[i].Path != b.Properties[i].Path ||
            a.Properties[i].Value != b.Properties[i].Value)
            return false;
    for (size_t i = 0; i < a.Children.size(); ++i)
        if (!SameFormTree(a.Children[i], b.Children[i]))
            return false;
    return true;
}

void RaiseReadError(int line, const std::string& message) {
    throw EReadError(AnsiString("Line " + std::to_string(line) + ": " + message));
}

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// How a character is named in a message: itself when printable, else its code.
std::string Describe(char c) {
    const auto code = static_cast<unsigned char>(c);
    if (code >= 32 && code < 127)
        return std::string("'") + c + "'";
    return "character #" + std::to_string(code);
}

// A recursive-descent parser straight over the characters; the position and the line move
// together, so every error can name the line it was found on.
class Parser {
public:
    explicit Parser(const std::string& text) : m_text(text) {}

    FormObject ParseFile() {
        if (m_text.size() > MaxFormTextLength) {
            const auto line =
                1 + std::count(m_text.begin(), m_text.begin() + MaxFormTextLength, '\n');
            RaiseReadError(static_cast<int>(line), "Form description is longer than " +
                                                       std::to_string(MaxFormTextLength) +
                                                       " bytes");
        }
        if (m_text.compare(0, 3, "\xEF\xBB\xBF") == 0)
            m_pos = 3;
        SkipSpace();
        if (!AtKeyword("object"))
            Fail("Expected 'object' but found " + Found());
        FormObject root = ParseObject(1);
        SkipSpace();
        if (!AtEnd())
            Fail("Unexpected text after the last 'end': " + Found());
        return root;
    }

private:
    bool AtEnd() const { return m_pos >= m_text.size(); }
    char Peek(size_t ahead = 0) const {
        return m_pos + ahead < m_text.size() ? m_text[m_pos + ahead] : '\0';
    }
    [[noreturn]] void Fail(const std::string& message) const { RaiseReadError(m_line, message); }

    void SkipSpace() {
        while (!AtEnd()) {
            const char c = m_text[m_pos];
            if (c == '\n')
                ++m_line;
            else if (c != ' ' && c != '\t' && c != '\r')
                return;
            ++m_pos;
        }
    }

    // What stands at the current position, for "expected ... but found ...".
    std::string Found() const {
        if (AtEnd())
            return "end of file";
        if (IsIdentStart(Peek())) {
            size_t end = m_pos;
            while (end < m_text.size() && IsIdentChar(m_text[end]) && end - m_pos < 40)
                ++end;
            return "'" + m_text.substr(m_pos, end - m_pos) + "'";
        }
        return Describe(Peek());
    }

    bool AtKeyword(const char* keyword) const {
        const size_t length = std::char_traits<char>::length(keyword);
        if (m_text.size() - m_pos < length)
            return false;
        for (size_t i = 0; i < length; ++i)
            if (LowerAscii(m_text[m_pos + i]) != keyword[i])
                return false;
        return !IsIdentChar(Peek(length));
    }

    // An object name, class name or identifier value: a keyword here means something is
    // missing ("Left =" right before "end").
    std::string ParseName(const char* what) {
        if (AtKeyword("object") || AtKeyword("end") || AtKeyword("inherited") ||
            AtKeyword("inline"))
            Fail(std::string("Expected ") + what + " but found " + Found());
        return ParseIdent(what);
    }

    std::string ParseIdent(const char* what) {
        if (!IsIdentStart(Peek()))
            Fail(std::string("Expected ") + what + " but found " + Found());
        const size_t start = m_pos;
        while (!AtEnd() && IsIdentChar(m_text[m_pos]))
            ++m_pos;
        if (m_pos - start > MaxFormIdentLength)
            Fail("Identifier longer than " + std::to_string(MaxFormIdentLength) + " characters");
        return m_text.substr(start, m_pos - start);
    }

    void Expect(char c) {
        if (Peek() != c || AtEnd())
            Fail(std::string("Expected '") + c + "' but found " + Found());
        ++m_pos;
    }

    FormObject ParseObject(int depth) {
        if (depth > MaxFormNesting)
            Fail("Objects nested deeper than " + std::to_string(MaxFormNesting) + " levels");
        FormObject object;
        object.Line = m_line;
        if (AtKeyword("inherited") || AtKeyword("inline"))
            Fail("Inherited and inline objects are not supported");
        m_pos += 6; // "object"
        SkipSpace();
        std::string first = ParseName("an object name");
        SkipSpace();
        if (Peek() == ':') {
            ++m_pos;
            SkipSpace();
            object.Name = std::move(first);
            object.ClassName = ParseName("a class name");
        } else {
            object.ClassName = std::move(first);
        }
        SkipSpace();
        while (!AtKeyword("end") && !AtKeyword("object") && !AtKeyword("inherited") &&
               !AtKeyword("inline")) {
            if (AtEnd())
                Fail("Expected 'end' but found end of file");
            object.Properties.push_back(ParseProperty());
            SkipSpace();
        }
        while (AtKeyword("object") || AtKeyword("inherited") || AtKeyword("inline")) {
            object.Children.push_back(ParseObject(depth + 1));
            SkipSpace();
        }
        if (!AtKeyword("end"))
            Fail("Expected 'end' but found " + Found());
        m_pos += 3;
        return object;
    }

    FormProperty ParseProperty() {
        FormProperty property;
        property.Line = m_line;
        property.Path = ParseIdent("a property name");
        while (Peek() == '.') {
            ++m_pos;
            property.Path += '.';
            property.Path += ParseIdent("a property name");
        }
        SkipSpace();
        Expect('=');
        SkipSpace();
        property.Value = ParseValue();
        return property;
    }

    FormValue ParseValue() {
        const char c = Peek();
        if (AtEnd())
            Fail("Expected a value but found end of file");
        if (c == '\'' || c == '#')
            return FormValue::OfString(ParseString());
        if (IsDigit(c) || c == '-' || c == '+' || c == '$')
            return ParseNumber();
        if (IsIdentStart(c)) {
            std::string name = ParseName("a value");
            while (Peek() == '.' && IsIdentStart(Peek(1))) {
                ++m_pos;
                name += '.';
                name += ParseIdent("a value");
            }
            return FormValue::OfIdent(std::move(name));
        }
        if (c == '[')
            return ParseSet();
        if (c == '{')
            return ParseBinary();
        Fail("Invalid property value: " + Found());
    }

    // 'text' with '' for a quote, #13 or #$0D for a character code, pieces joined directly
    // or by + across lines.
    std::string ParseString() {
        std::string value;
        for (;;) {
            ParseStringPieces(value);
            const size_t pos = m_pos;
            const int line = m_line;
            SkipSpace();
            if (Peek() != '+' || AtEnd()) {
                m_pos = pos;
                m_line = line;
                return value;
            }
            ++m_pos;
            SkipSpace();
            if (Peek() != '\'' && Peek() != '#')
                Fail("Expected a string after '+' but found " + Found());
        }
    }

    void ParseStringPieces(std::string& value) {
        for (;;) {
            if (Peek() == '\'' && !AtEnd()) {
                ++m_pos;
                for (;;) {
                    if (AtEnd() || Peek() == '\n' || Peek() == '\r')
                        Fail("Unterminated string");
                    const char c = m_text[m_pos++];
                    if (c != '\'') {
                        value += c;
                    } else if (Peek() == '\'') {
                        value += '\'';
                        ++m_pos;
                    } else {
                        break;
                    }
                }
            } else if (Peek() == '#' && !AtEnd()) {
                ++m_pos;
                value += static_cast<char>(ParseCharCode());
            } else {
                return;
            }
        }
    }

    int ParseCharCode() {
        int code = 0;
        int digits = 0;
        if (Peek() == '$') {
            ++m_pos;
            for (int d; (d = HexDigit(Peek())) >= 0 && !AtEnd(); ++m_pos, ++digits)
                code = std::min(code * 16 + d, 0x10000);
        } else {
            for (; IsDigit(Peek()) && !AtEnd(); ++m_pos, ++digits)
                code = std::min(code * 10 + (Peek() - '0'), 0x10000);
        }
        if (digits == 0)
            Fail("Expected a character code after '#' but found " + Found());
        if (code > 255)
            Fail("Character code #" + std::to_string(code) + " is out of range");
        return code;
    }

    FormValue ParseNumber() {
        const size_t start = m_pos;
        bool negative = false;
        if (Peek() == '-' || Peek() == '+') {
            negative = Peek() == '-';
            ++m_pos;
        }
        unsigned long long magnitude = 0;
        bool overflow = false;
        int digits = 0;
        if (Peek() == '$') {
            ++m_pos;
            for (int d; (d = HexDigit(Peek())) >= 0 && !AtEnd(); ++m_pos, ++digits) {
                overflow =
                    overflow || magnitude > (std::numeric_limits<unsigned long long>::max() >> 4);
                magnitude = magnitude * 16 + static_cast<unsigned>(d);
            }
            if (digits == 0)
                Fail("Expected hexadecimal digits after '$' but found " + Found());
        } else {
            for (; IsDigit(Peek()) && !AtEnd(); ++m_pos, ++digits) {
                const unsigned d = static_cast<unsigned>(Peek() - '0');
                overflow = overflow ||
                           magnitude > (std::numeric_limits<unsigned long long>::max() - d) / 10;
                magnitude = magnitude * 10 + d;
            }
            if (digits == 0)
                Fail("Invalid number: expected a digit but found " + Found());
            if ((Peek() == '.' && IsDigit(Peek(1))) || Peek() == 'e' || Peek() == 'E')
                return ParseDouble(start);
        }
        if (IsIdentChar(Peek()) || Peek() == '.')
            Fail("Invalid number: unexpected " + Found() + " after the digits");
        const unsigned long long limit =
            static_cast<unsigned long long>(std::numeric_limits<long long>::max()) +
            (negative ? 1 : 0);
        if (overflow || magnitude > limit)
            Fail("Integer " + m_text.substr(start, m_pos - start) + " is out of range");
        const long long value =
            negative ? static_cast<long long>(0 - magnitude) : static_cast<long long>(magnitude);
        return FormValue::OfInteger(value);
    }

    FormValue ParseDouble(size_t start) {
        if (Peek() == '.') {
            ++m_pos;
            while (IsDigit(Peek()) && !AtEnd())
                ++m_pos;
        }
        if (Peek() == 'e' || Peek() == 'E') {
            ++m_pos;
            if (Peek() == '-' || Peek() == '+')
                ++m_pos;
            if (!IsDigit(Peek()) || AtEnd())
                Fail("Invalid number: expected exponent digits but found " + Found());
            while (IsDigit(Peek()) && !AtEnd())
                ++m_pos;
        }
        if (IsIdentChar(Peek()) || Peek() == '.')
            Fail("Invalid number: unexpected " + Found() + " after the digits");
        const std::string literal = m_text.substr(start, m_pos - start);
        double value = 0;
        if (!ParseDecimalDouble(literal, value))
            Fail("Invalid number " + literal);
        if (!std::isfinite(value))
            Fail("Number " + literal + " is out of range");
        return FormValue::OfDouble(value);
    }

    FormValue ParseSet() {
        ++m_pos; // [
        std::vector<std::string> elements;
        SkipSpace();
        if (Peek() != ']') {
            for (;;) {
                elements.push_back(ParseIdent("a set element"));
                SkipSpace();
                if (Peek() != ',' || AtEnd())
                    break;
                ++m_pos;
                SkipSpace();
            }
        }
        Expect(']');
        return FormValue::OfSet(std::move(elements));
    }

    // The hot loop of big descriptions (bitmaps): straight over the characters.
    FormValue ParseBinary() {
        ++m_pos; // {
        const char* p = m_text.data() + m_pos;
        const char* const end = m_text.data() + m_text.size();
        const void* close = std::memchr(p, '}', static_cast<size_t>(end - p));
        std::vector<unsigned char> bytes;
        if (close)
            bytes.reserve(static_cast<size_t>(static_cast<const char*>(close) - p) / 2);
        int high = -1;
        for (; p < end && *p != '}'; ++p) {
            const char c = *p;
            const int d = HexDigit(c);
            if (d >= 0) {
                if (high < 0) {
                    high = d;
                } else {
                    bytes.push_back(static_cast<unsigned char>(high * 16 + d));
                    high = -1;
                }
            } else if (c == '\n') {
                ++m_line;
            } else if (c != ' ' && c != '\t' && c != '\r') {
                m_pos = static_cast<size_t>(p - m_text.data());
                Fail("Invalid hexadecimal digit " + Describe(c) + " in binary value");
            }
        }
        m_pos = static_cast<size_t>(p - m_text.data());
        if (AtEnd())
            Fail("Unterminated binary value: expected '}' but found end of file");
        if (high >= 0)
            Fail("Odd number of hexadecimal digits in binary value");
        ++m_pos; // }
        return FormValue::OfBinary(std::move(bytes));
    }

    const std::string& m_text;
    size_t m_pos = 0;
    int m_line = 1;
};

} // namespace

FormObject ParseFormText(const std::string& text) {
    return Parser(text).ParseFile();
}
