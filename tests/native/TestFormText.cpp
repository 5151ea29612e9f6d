#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/streaming/FormText.h"
#include "tests/support/ExceptionMessage.h"

namespace {

std::string ReadErrorOf(const std::string& text) {
    return MessageOf<EReadError>([&] { ParseFormText(text); });
}

const char* const kExample = R"(object MainForm: TMainForm
  Left = 192
  Top = -114
  Tag = $7F
  Caption = 'Velmora KVX Setup'
  Color = clBtnFace
  Font.Style = [fsBold, fsItalic]
  Message.Caption = 'It''s'#13#10'two' +
    ' lines'#$41
  Ratio = -2.5E3
  Empty = []
  Ref = Other.Button
  OnShow = FormShow
  object YesButton: KxButtonTx
    TransparentColor = 13946831
    Appearance.RaisedBmp.Data = {
      424D0a
      FF}
    Caption = ''
  end
  object TTimer
  end
end
)";

} // namespace

TEST(FormText, ParsesObjectsPropertiesAndEveryKindOfValue) {
    const FormObject root = ParseFormText(kExample);
    EXPECT_EQ(root.Name, "MainForm");
    EXPECT_EQ(root.ClassName, "TMainForm");
    EXPECT_EQ(root.Line, 1);

    const std::vector<std::pair<std::string, FormValue>> expected = {
        {"Left", FormValue::OfInteger(192)},
        {"Top", FormValue::OfInteger(-114)},
        {"Tag", FormValue::OfInteger(127)},
        {"Caption", FormValue::OfString("Velmora KVX Setup")},
        {"Color", FormValue::OfIdent("clBtnFace")},
        {"Font.Style", FormValue::OfSet({"fsBold", "fsItalic"})},
        {"Message.Caption", FormValue::OfString("It's\r\ntwo linesA")},
        {"Ratio", FormValue::OfDouble(-2500.0)},
        {"Empty", FormValue::OfSet({})},
        {"Ref", FormValue::OfIdent("Other.Button")},
        {"OnShow", FormValue::OfIdent("FormShow")},
    };
    ASSERT_EQ(root.Properties.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(root.Properties[i].Path, expected[i].first);
        EXPECT_TRUE(root.Properties[i].Value == expected[i].second) << expected[i].first;
    }
    EXPECT_EQ(root.Properties[6].Line, 8) << "a continued string keeps the line it starts on";
    EXPECT_EQ(root.Properties[7].Line, 10);

    ASSERT_EQ(root.Children.size(), 2u);
    const FormObject& button = root.Children[0];
    EXPECT_EQ(button.Name, "YesButton");
    EXPECT_EQ(button.ClassName, "KxButtonTx");
    EXPECT_EQ(button.Line, 14);
    ASSERT_EQ(button.Properties.size(), 3u);
    EXPECT_TRUE(button.Properties[1].Value == FormValue::OfBinary({0x42, 0x4D, 0x0A, 0xFF}));
    EXPECT_TRUE(button.Properties[2].Value == FormValue::OfString(""));
    EXPECT_EQ(button.Properties[2].Line, 19);
    EXPECT_EQ(root.Children[1].Name, "");
    EXPECT_EQ(root.Children[1].ClassName, "TTimer");
}

TEST(FormText, AcceptsKeywordsInAnyCaseExtremeIntegersAndCrLf) {
    const FormObject root =
        ParseFormText("\xEF\xBB\xBFOBJECT A: B\r\n  Min = -9223372036854775808\r\n"
                      "  Max = $7FFFFFFFFFFFFFFF\r\n  Plus = +5\r\nEnd\r\n");
    ASSERT_EQ(root.Properties.size(), 3u);
    EXPECT_EQ(root.Properties[0].Value.Integer, INT64_MIN);
    EXPECT_EQ(root.Properties[1].Value.Integer, INT64_MAX);
    EXPECT_EQ(root.Properties[2].Value.Integer, 5);
    EXPECT_EQ(root.Properties[2].Line, 4);
}

TEST(FormText, RejectsMalformedDescriptionsNamingTheLine) {
    const struct {
        std::string text;
        const char* message;
    } cases[] = {
        {"", "Line 1: Expected 'object' but found end of file"},
        {"thing A: B\nend", "Line 1: Expected 'object' but found 'thing'"},
        {"object A: B\n  Left = 1\n", "Line 3: Expected 'end' but found end of file"},
        {"object A: B\n  object C: D\n  end\n", "Line 4: Expected 'end' but found end of file"},
        {"object A: B\nend\nend\n", "Line 3: Unexpected text after the last 'end': 'end'"},
        {"object A: B\nend\nobject C: D\nend\n",
         "Line 3: Unexpected text after the last 'end': 'object'"},
        {"object A: B\nend x", "Line 2: Unexpected text after the last 'end': 'x'"},
        {"object A: B\n  object C: D\n  end\n  Left = 1\nend\n",
         "Line 4: Expected 'end' but found 'Left'"},
        {"object A: B\n  Left 1\nend", "Line 2: Expected '=' but found '1'"},
        {"object A: B\n  Left =\nend", "Line 3: Expected a value but found 'end'"},
        {"object A: B\n  Left = 1 2\nend", "Line 2: Expected a property name but found '2'"},
        {"object A: B\n  Left = ?\nend", "Line 2: Invalid property value: '?'"},
        {"object A: B\n  Left = 12ab\nend",
         "Line 2: Invalid number: unexpected 'ab' after the digits"},
        {"object A: B\n  Left = 1.\nend",
         "Line 2: Invalid number: unexpected '.' after the digits"},
        {"object A: B\n  Left = 1e\nend",
         "Line 2: Invalid number: expected exponent digits but found character #10"},
        {"object A: B\n  Left = 1e999\nend", "Line 2: Number 1e999 is out of range"},
        {"object A: B\n  Left = 9223372036854775808\nend",
         "Line 2: Integer 9223372036854775808 is out of range"},
        {"object A: B\n  Left = $10000000000000000\nend",
         "Line 2: Integer $10000000000000000 is out of range"},
        {"object A: B\n  Left = $\nend",
         "Line 2: Expected hexadecimal digits after '$' but found character #10"},
        {"object A: B\n  Left = -\nend",
         "Line 2: Invalid number: expected a digit but found character #10"},
        {"object A: B\n  Caption = 'open\nend", "Line 2: Unterminated string"},
        {"object A: B\n  Caption = 'open", "Line 2: Unterminated string"},
        {"object A: B\n  Caption = 'a' +\n  3\nend",
         "Line 3: Expected a string after '+' but found '3'"},
        {"object A: B\n  Caption = #\nend",
         "Line 2: Expected a character code after '#' but found character #10"},
        {"object A: B\n  Caption = #256\nend", "Line 2: Character code #256 is out of range"},
        {"object A: B\n  Caption = #$1FF\nend", "Line 2: Character code #511 is out of range"},
        {"object A: B\n  Style = [a, ]\nend", "Line 2: Expected a set element but found ']'"},
        {"object A: B\n  Style = [a b]\nend", "Line 2: Expected ']' but found 'b'"},
        {"object A: B\n  Style = [a,\nend", "Line 3: Expected ']' but found end of file"},
        {"object A: B\n  Data = {\n    4\n  }\nend",
         "Line 4: Odd number of hexadecimal digits in binary value"},
        {"object A: B\n  Data = {\n    4G}\nend",
         "Line 3: Invalid hexadecimal digit 'G' in binary value"},
        {"object A: B\n  Data = {00\n",
         "Line 3: Unterminated binary value: expected '}' but found end of file"},
        {"object A: B\n  Font. = 1\nend", "Line 2: Expected a property name but found ' '"},
        {"object : B\nend", "Line 1: Expected an object name but found ':'"},
        {"object A:\nend", "Line 2: Expected a class name but found 'end'"},
        {"object end\nend", "Line 1: Expected an object name but found 'end'"},
        {"object A: B\n  inherited C: D\n  end\nend",
         "Line 2: Inherited and inline objects are not supported"},
        {"object A: B\n\x01\nend", "Line 2: Expected a property name but found character #1"},
        {std::string("object A: B\n  Left = 1\0\nend", 27),
         "Line 2: Expected a property name but found character #0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadErrorOf(c.text), c.message) << c.text;
}

TEST(FormText, RejectsOverlongInputDeepNestingAndLongNames) {
    std::string deep;
    for (int i = 0; i < MaxFormNesting + 1; ++i)
        deep += "object A: B\n";
    EXPECT_EQ(ReadErrorOf(deep), "Line 33: Objects nested deeper than 32 levels");

    std::string nested;
    for (int i = 0; i < MaxFormNesting; ++i)
        nested = "object A: B\n" + nested + "end\n";
    EXPECT_EQ(ParseFormText(nested).Children.size(), 1u) << "32 levels are still fine";

    std::string longText = "object A: B\n  Data = {";
    longText.append(MaxFormTextLength, '0');
    longText += "}\nend\n";
    EXPECT_EQ(ReadErrorOf(longText), "Line 2: Form description is longer than 16777216 bytes");

    EXPECT_EQ(ReadErrorOf("object A: B\n  " + std::string(256, 'x') + " = 1\nend"),
              "Line 2: Identifier longer than 255 characters");
}

TEST(FormText, WritesStringsQuotedWithCodesForControlCharacters) {
    const struct {
        std::string value;
        const char* text;
    } cases[] = {
        {"", "''"},
        {"OK", "'OK'"},
        {"It's", "'It''s'"},
        {"a\r\nb", "'a'#13#10'b'"},
        {"\t", "#9"},
        {std::string("\0x", 2), "#0'x'"},
        {"\xE9t\xE9", "#233't'#233"},
    };
    for (const auto& c : cases) {
        FormObject root{"A", "B", 0, {{"S", FormValue::OfString(c.value), 0}}, {}};
        EXPECT_EQ(WriteFormText(root), std::string("object A: B\n  S = ") + c.text + "\nend\n");
    }
}

TEST(FormText, WritesLongValuesOverSeveralLines) {
    FormObject root{"Form", "TForm", 0, {}, {FormObject{"Child", "TThing", 0, {}, {}}}};
    root.Properties.push_back({"Long", FormValue::OfString(std::string(70, 'x')), 0});
    std::vector<unsigned char> bytes(40);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<unsigned char>(i * 7);
    root.Children[0].Properties.push_back({"Picture.Data", FormValue::OfBinary(bytes), 0});
    root.Children[0].Properties.push_back({"Nothing", FormValue::OfBinary({}), 0});
    root.Children[0].Properties.push_back({"Ratio", FormValue::OfDouble(3), 0});
    root.Children[0].Properties.push_back({"Tenth", FormValue::OfDouble(0.1), 0});

    std::string hex;
    for (unsigned char b : bytes) {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02X", b);
        hex += digits;
    }
    const std::string expected = "object Form: TForm\n"
                                 "  Long = '" +
                                 std::string(64, 'x') +
                                 "' +\n"
                                 "    'xxxxxx'\n"
                                 "  object Child: TThing\n"
                                 "    Picture.Data = {\n"
                                 "      " +
                                 hex.substr(0, 64) +
                                 "\n"
                                 "      " +
                                 hex.substr(64) +
                                 "}\n"
                                 "    Nothing = {}\n"
                                 "    Ratio = 3.0\n"
                                 "    Tenth = 0.10000000000000001\n"
                                 "  end\n"
                                 "end\n";
    EXPECT_EQ(WriteFormText(root), expected);
    EXPECT_TRUE(SameFormTree(ParseFormText(expected), root));
}

TEST(FormText, RoundTripsEveryKindOfValue) {
    const FormObject root = ParseFormText(kExample);
    const std::string written = WriteFormText(root);
    const FormObject again = ParseFormText(written);
    EXPECT_TRUE(SameFormTree(root, again)) << written;
    EXPECT_EQ(WriteFormText(again), written);

    FormObject doubles{"A", "B", 0, {}, {}};
    for (double d : {0.1, -0.0, 1e300, 123456789.125, -5e-324})
        doubles.Properties.push_back({"D", FormValue::OfDouble(d), 0});
    EXPECT_TRUE(SameFormTree(ParseFormText(WriteFormText(doubles)), doubles));
}

TEST(FormText, RefusesToWriteTreesWithoutATextForm) {
    const std::vector<FormObject> bad = {
        {"A", "1B", 0, {}, {}},
        {"A B", "B", 0, {}, {}},
        {"A", "B", 0, {{"end", FormValue::OfInteger(1), 0}}, {}},
        {"A", "B", 0, {{"Font..Size", FormValue::OfInteger(1), 0}}, {}},
        {"A", "B", 0, {{"X", FormValue::OfIdent("not ident"), 0}}, {}},
        {"A", "B", 0, {{"X", FormValue::OfIdent("end"), 0}}, {}},
        {"end", "B", 0, {}, {}},
        {"A", "B", 0, {{"X", FormValue::OfSet({"ok", ""}), 0}}, {}},
        {"A", "B", 0, {{"X", FormValue::OfDouble(std::numeric_limits<double>::infinity()), 0}}, {}},
    };
    for (const FormObject& tree : bad)
        EXPECT_THROW(WriteFormText(tree), EStreamError) << tree.Name << tree.ClassName;
}
