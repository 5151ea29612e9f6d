#pragma once
#include <cstddef>
#include <string>
#include <vector>

// The text form description as a tree: one FormObject per `object ... end` block, its
// properties in file order, then its child objects. ParseFormText turns text into the tree
// and raises EReadError "Line N: ..." for anything malformed; WriteFormText turns a tree back
// into text that parses to the same tree.

enum class FormValueKind { Integer, Double, String, Ident, Set, Binary };

struct FormValue {
    FormValueKind Kind = FormValueKind::Integer;
    long long Integer = 0;
    double Number = 0;
    std::string Text;                  // the characters of a String, the name of an Ident
    std::vector<std::string> Elements; // the names of a Set
    std::vector<unsigned char> Bytes;  // the bytes of a Binary

    static FormValue OfInteger(long long value);
    static FormValue OfDouble(double value);
    static FormValue OfString(std::string value);
    static FormValue OfIdent(std::string name);
    static FormValue OfSet(std::vector<std::string> elements);
    static FormValue OfBinary(std::vector<unsigned char> bytes);

    friend bool operator==(const FormValue& a, const FormValue& b);
    friend bool operator!=(const FormValue& a, const FormValue& b) { return !(a == b); }
};

// A property as written: its dotted path ("Font.Height"), its value and its line (1-based;
// 0 for properties made in code).
struct FormProperty {
    std::string Path;
    FormValue Value;
    int Line = 0;
};

struct FormObject {
    std::string Name; // may be empty: `object TTimer`
    std::string ClassName;
    int Line = 0;
    std::vector<FormProperty> Properties;
    std::vector<FormObject> Children;
};

// Trees are equal when names, classes, paths and values are; lines are not compared.
bool SameFormTree(const FormObject& a, const FormObject& b);

// Limits that keep a hostile description from exhausting memory or the stack.
constexpr std::size_t MaxFormTextLength = 16u * 1024u * 1024u;
constexpr int MaxFormNesting = 32;
constexpr std::size_t MaxFormIdentLength = 255;

FormObject ParseFormText(const std::string& text);

// Raises EStreamError for a tree that has no text form (an invalid name, a double that is
// not finite).
std::string WriteFormText(const FormObject& root);

// "Line 12: message" as an EReadError.
[[noreturn]] void RaiseReadError(int line, const std::string& message);

// The characters of a name: a letter or '_' first, then letters, digits and '_'.
inline bool IsIdentStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
inline bool IsIdentChar(char c) {
    return IsIdentStart(c) || (c >= '0' && c <= '9');
}

// Case-insensitive (ASCII) name comparison, as every name lookup of the form reader uses.
bool SameName(const std::string& a, const std::string& b);
