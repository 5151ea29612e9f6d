#pragma once
#include <string>

// The framework's counted 8-bit string. Characters are indexed from 1; an index outside
// 1 .. Length() raises ERangeError.
class AnsiString {
public:
    AnsiString() = default;
    AnsiString(const char* text) : m_text(text ? text : "") {}
    AnsiString(const char* text, int length) : m_text(text, static_cast<size_t>(length)) {}
    AnsiString(const std::string& text) : m_text(text) {}

    int Length() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    const char* c_str() const { return m_text.c_str(); }
    const std::string& str() const { return m_text; }

    char operator[](int index) const;
    char& operator[](int index);

    AnsiString& operator+=(const AnsiString& other) {
        m_text += other.m_text;
        return *this;
    }
    friend AnsiString operator+(AnsiString a, const AnsiString& b) { return a += b; }
    friend bool operator==(const AnsiString& a, const AnsiString& b) { return a.m_text == b.m_text; }
    friend bool operator!=(const AnsiString& a, const AnsiString& b) { return a.m_text != b.m_text; }
    friend bool operator<(const AnsiString& a, const AnsiString& b) { return a.m_text < b.m_text; }

private:
    std::string m_text;
};
