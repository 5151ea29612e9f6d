#pragma once
#include <string>

// The launcher's decisions that need no Win32: which framework subkey names count, where a
// path's folder ends, and how the installer's command line is written.

// Wide text: paths and the installer's command line. Traits of its own keep the standard
// library's prebuilt wide-string code (about 35 KB with its unwind tables, nearly all of it
// unused) out of the programs; only the members called here are compiled in.
struct WideCharTraits : std::char_traits<wchar_t> {};
using WideString = std::basic_string<wchar_t, WideCharTraits>;

// 'A' to 'Z' become 'a' to 'z'; every other byte is returned unchanged (no locale).
char ToLower(char c);

// An already lower-cased name of the form 'v', one digit, then digits and dots only.
bool IsVersionKeyName(const char* begin, const char* end);

// A framework subkey name of version 2 or later: lower-cased, of the version form, and its
// first digit '2' or greater (so "v10.0" does not count).
bool IsFramework2OrLaterKeyName(const std::string& name);

// The folder part of a path: through its last '\', else through its first ':', else "".
std::string ExtractDirectory(const std::string& path);
WideString ExtractDirectory(const WideString& path);

// The program path in double quotes, so that a folder with spaces is never split, followed
// by the arguments when there are any: "D:\Support Disc\setup.exe" -s
std::string QuotedCommandLine(const std::string& program, const std::string& arguments);
WideString QuotedCommandLine(const WideString& program, const WideString& arguments);
