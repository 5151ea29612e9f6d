#include "launcher/LaunchNames.h"

namespace {
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
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
    std::string::size_type end = path.rfind('\\');
    if (end == std::string::npos)
        end = path.find(':');
    return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

std::string QuotedCommandLine(const std::string& program, const std::string& arguments) {
    std::string command = "\"" + program + "\"";
    if (!arguments.empty())
        command += " " + arguments;
    return command;
}
