#include "launcher/LaunchNames.h"

namespace {
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The same rules for the code page's paths and for wide ones.
template <class String> String DirectoryOf(const String& path) {
    typename String::size_type end = path.rfind('\\');
    if (end == String::npos)
        end = path.find(':');
    return end == String::npos ? String() : path.substr(0, end + 1);
}

template <class String> String Quoted(const String& program, const String& arguments) {
    String command(1, '"');
    command += program;
    command += '"';
    if (!arguments.empty()) {
        command += ' ';
        command += arguments;
    }
    return command;
}
} // namespace

char ToLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsVersionKeyName(const char* begin, const char* end) {
    if (begin == end || *begin != 'v')
        return false;
    const char* p = begin + 1;
    if (p == end || !IsDigit(*p))
        return false;
    for (++p; p != end; ++p)
        if (!IsDigit(*p) && *p != '.')
            return false;
    return true;
}

bool IsFramework2OrLaterKeyName(const std::string& name) {
    std::string lower = name;
    for (char& c : lower)
        c = ToLower(c);
    return IsVersionKeyName(lower.data(), lower.data() + lower.size()) && lower[1] >= '2';
}

std::string ExtractDirectory(const std::string& path) {
    return DirectoryOf(path);
}

WideString ExtractDirectory(const WideString& path) {
    return DirectoryOf(path);
}

std::string QuotedCommandLine(const std::string& program, const std::string& arguments) {
    return Quoted(program, arguments);
}

WideString QuotedCommandLine(const WideString& program, const WideString& arguments) {
    return Quoted(program, arguments);
}
