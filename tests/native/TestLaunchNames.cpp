#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "launcher/LaunchNames.h"

TEST(LaunchNames, FrameworkKeyNamesOfVersionTwoOrLaterAreAccepted) {
    const struct {
        std::string name;
        bool accepted;
    } cases[] = {
        {"v2.0.50727", true}, {"v3.5", true},       {"v4.0.30319", true},
        {"V2.0.50727", true}, {"v2", true},         {"v2.", true},
        {"v9", true},         {"v1.1.4322", false}, {"v1.0.3705", false},
        {"v10.0", false},     {"policy", false},    {"upgrades", false},
        {"", false},          {"v", false},         {"v2.0 beta", false},
        {"vX.0", false},      {"v0.9", false},      {"v2.0-rc", false},
        {"2.0", false},       {" v2.0", false},     {"v.2", false},
        {"\xC4v2.0", false},  {"v2.0\xC4", false},  {std::string("v2\0", 3), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsFramework2OrLaterKeyName(c.name), c.accepted) << '"' << c.name << '"';
}

TEST(LaunchNames, VersionFormIsCheckedOnTheGivenRangeOnly) {
    const struct {
        const char* name;
        bool accepted;
    } cases[] = {
        {"v1.1.4322", true}, {"v10.0", true}, {"v0", true},         {"V2.0", false},
        {"v", false},        {"", false},     {"v2.0 beta", false}, {"vX.0", false},
        {"v2..", true},      {"w2.0", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsVersionKeyName(c.name, c.name + std::strlen(c.name)), c.accepted) << c.name;

    // Only the range counts: what lies behind its end is never read.
    const char text[] = "v2.0 beta";
    EXPECT_TRUE(IsVersionKeyName(text, text + 4));
    EXPECT_FALSE(IsVersionKeyName(text, text + 1));
    EXPECT_FALSE(IsVersionKeyName(text, text));
}

TEST(LaunchNames, ToLowerChangesAsciiCapitalsOnly) {
    for (int byte = 0; byte < 256; ++byte) {
        const char c = static_cast<char>(byte);
        const char expected = byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte + 32) : c;
        EXPECT_EQ(ToLower(c), expected) << byte;
    }
}

TEST(LaunchNames, ExtractDirectoryKeepsTheSeparator) {
    const struct {
        std::string path, directory;
    } cases[] = {
        {"D:\\Tools\\launcher.exe", "D:\\Tools\\"},
        {"D:launcher.exe", "D:"},
        {"launcher.exe", ""},
        {"", ""},
        {"D:\\", "D:\\"},
        {"C:\\a:b\\c.exe", "C:\\a:b\\"}, // the last backslash wins over any colon
        {"D:sub:x.exe", "D:"},           // without backslash, the first colon
        {"\\\\server\\share\\x.exe", "\\\\server\\share\\"},
        {"D:/Tools/launcher.exe", "D:"}, // forward slashes are not separators here
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExtractDirectory(c.path), c.directory) << c.path;
        // The wide paths follow the same rules.
        const WideString widePath(c.path.begin(), c.path.end());
        EXPECT_EQ(ExtractDirectory(widePath), WideString(c.directory.begin(), c.directory.end()))
            << c.path;
    }
    EXPECT_EQ(ExtractDirectory(WideString(
                  L"D:\\\u0423\u0441\u0442\u0430\u043d\u043e\u0432\u043a\u0430\\pelorin.exe")),
              L"D:\\\u0423\u0441\u0442\u0430\u043d\u043e\u0432\u043a\u0430\\");
}

TEST(LaunchNames, CommandLineQuotesTheProgramPath) {
    EXPECT_EQ(QuotedCommandLine("D:\\Support Disc\\setup.exe", "-s"),
              "\"D:\\Support Disc\\setup.exe\" -s");
    EXPECT_EQ(QuotedCommandLine("D:\\Support Disc\\setup.exe", ""),
              "\"D:\\Support Disc\\setup.exe\"");
    EXPECT_EQ(QuotedCommandLine(WideString(L"D:\\\u5b89\u88c5\\setup.exe"), WideString(L"-s")),
              L"\"D:\\\u5b89\u88c5\\setup.exe\" -s");
    EXPECT_EQ(QuotedCommandLine(WideString(L"D:\\\u5b89\u88c5\\setup.exe"), WideString()),
              L"\"D:\\\u5b89\u88c5\\setup.exe\"");
}
