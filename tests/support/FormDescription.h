#pragma once
#include <string>
#include <vector>

// The text of a form description for the streaming tests: "object Name: TClass", the
// properties in the order they were given, the nested objects, then "end", each level
// indented two spaces further, as the form writer lays it out.
class FormDescription {
public:
    FormDescription(const std::string& name, const std::string& className);

    // A property whose value is written as given: a number, an identifier, a set, a string
    // already quoted, or nothing at all for a malformed line.
    FormDescription& Set(const std::string& path, const std::string& value);
    FormDescription& Set(const std::string& path, int value);
    // A string property, quoted as the text format quotes it.
    FormDescription& Quoted(const std::string& path, const std::string& text);
    // A binary property: the bytes in hex between braces.
    FormDescription& Data(const std::string& path, const std::vector<unsigned char>& bytes);
    // Left, Top, Width and Height in that order.
    FormDescription& Bounds(int left, int top, int width, int height);
    FormDescription& Add(const FormDescription& child);

    std::string Str() const;
    operator std::string() const { return Str(); }

private:
    std::vector<std::string> Lines() const;

    std::string m_header;
    std::vector<std::string> m_body; // relative to this object's own indent
};

// Bytes as upper-case hex digits, two a byte, as a description's binary data holds them.
std::string HexOf(const std::vector<unsigned char>& bytes);
