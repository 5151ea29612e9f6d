#include "tests/support/FormDescription.h"

FormDescription::FormDescription(const std::string& name, const std::string& className)
    : m_header("object " + name + ": " + className) {}

FormDescription& FormDescription::Set(const std::string& path, const std::string& value) {
    m_body.push_back(path + " = " + value);
    return *this;
}

FormDescription& FormDescription::Set(const std::string& path, int value) {
    return Set(path, std::to_string(value));
}

FormDescription& FormDescription::Quoted(const std::string& path, const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return Set(path, quoted + "'");
}

FormDescription& FormDescription::Data(const std::string& path,
                                       const std::vector<unsigned char>& bytes) {
    return Set(path, "{" + HexOf(bytes) + "}");
}

FormDescription& FormDescription::Bounds(int left, int top, int width, int height) {
    return Set("Left", left).Set("Top", top).Set("Width", width).Set("Height", height);
}

FormDescription& FormDescription::Add(const FormDescription& child) {
    for (const std::string& line : child.Lines())
        m_body.push_back(line);
    return *this;
}

std::vector<std::string> FormDescription::Lines() const {
    std::vector<std::string> lines{m_header};
    for (const std::string& line : m_body)
        lines.push_back("  " + line);
    lines.push_back("end");
    return lines;
}

std::string FormDescription::Str() const {
    std::string text;
    for (const std::string& line : Lines())
        text += line + "\n";
    return text;
}

std::string HexOf(const std::vector<unsigned char>& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (unsigned char b : bytes) {
        hex += digits[b >> 4];
        hex += digits[b & 15];
    }
    return hex;
}
