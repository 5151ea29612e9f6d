// The decoder of the compressed resources, against hand-made streams, the fuzz corpus and the
// form descriptions the build compresses (LZ_FORMS: the .form.lz files beside their text).
#include <gtest/gtest.h>

#include <dirent.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/streaming/FormText.h"
#include "framework/streaming/LzDecode.h"
#include "tests/support/ExceptionMessage.h"

namespace {

std::string Stream(std::uint32_t decodedSize, const std::string& body) {
    std::string stream = "LZT1";
    for (int i = 0; i < 4; ++i)
        stream += static_cast<char>((decodedSize >> (8 * i)) & 0xFF);
    return stream + body;
}

std::string Decode(const std::string& stream, std::size_t maxSize = LzMaxDecodedSize) {
    return LzDecode(stream.data(), stream.size(), maxSize);
}

// The message of the EReadError the stream raises, or "(no exception)".
std::string ErrorOf(const std::string& stream, std::size_t maxSize = LzMaxDecodedSize) {
    return MessageOf<EReadError>([&] { Decode(stream, maxSize); });
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot open " << path;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir))
            if (entry->d_name[0] != '.')
                names.push_back(entry->d_name);
        closedir(dir);
    }
    return names;
}

TEST(LzDecode, DecodesEveryKindOfSequence) {
    const std::string s15(15, 'x');
    const struct {
        const char* what;
        std::string stream;
        std::string decoded;
    } cases[] = {
        {"nothing", Stream(0, ""), ""},
        {"literals only", Stream(3, std::string("\x30", 1) + "abc"), "abc"},
        // One literal, then a copy of 9 from distance 1: a run that overlaps itself.
        {"overlapping run", Stream(10, std::string("\x15", 1) + "a" + std::string("\x01\x00", 2)),
         std::string(10, 'a')},
        {"copy of an earlier pair",
         Stream(8, std::string("\x22", 1) + "ab" + std::string("\x02\x00", 2)), "abababab"},
        // 15 literals need one more length byte, 0.
        {"fifteen literals", Stream(15, std::string("\xF0\x00", 2) + s15), s15},
        // A copy of 4 + 15 + 255 + 1 = 275: extra bytes 255 and 1.
        {"long copy",
         Stream(276, std::string("\x1F", 1) + "z" + std::string("\x01\x00\xFF\x01", 4)),
         std::string(276, 'z')},
        {"copy, then literals",
         Stream(6, std::string("\x10", 1) + "q" + std::string("\x01\x00", 2) + "\x10" + "r"),
         "qqqqqr"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Decode(c.stream), c.decoded) << c.what;
}

TEST(LzDecode, RefusesMalformedStreamsWithAReadError) {
    const struct {
        const char* what;
        std::string stream;
        const char* message;
    } cases[] = {
        {"no signature", std::string("object"), "no signature"},
        {"short header", std::string("LZT1\x05", 5), "the header is cut short"},
        {"no token", Stream(5, ""), "the stream ends early"},
        {"literals cut", Stream(5, std::string("\x50", 1) + "abc"),
         "the stream ends inside a run of literals"},
        {"literals past the size", Stream(2, std::string("\x30", 1) + "abc"),
         "a run is longer than the decoded size"},
        {"distance 0", Stream(9, std::string("\x11", 1) + "a" + std::string("\x00\x00", 2)),
         "a copy reaches back before the start"},
        {"distance before the start",
         Stream(9, std::string("\x11", 1) + "a" + std::string("\x02\x00", 2)),
         "a copy reaches back before the start"},
        {"copy past the size", Stream(6, std::string("\x14", 1) + "a" + std::string("\x01\x00", 2)),
         "a run is longer than the decoded size"},
        {"copy after the end", Stream(1, std::string("\x11", 1) + "a"),
         "a copy follows the end of the output"},
        {"trailing bytes", Stream(1, std::string("\x10", 1) + "a" + "zz"),
         "bytes follow the end of the stream"},
        {"distance cut", Stream(9, std::string("\x11", 1) + "a" + "\x01"), "the stream ends early"},
        {"length bytes cut", Stream(40, std::string("\x1F", 1) + "a" + std::string("\x01\x00", 2)),
         "the stream ends early"},
        // 255s forever would overflow the length: it stops at the decoded size.
        {"endless length", Stream(1000, std::string("\xF0", 1) + std::string(8, '\xFF')),
         "a run is longer than the decoded size"},
        {"size over the limit", Stream(0xFFFFFFFFu, std::string("\x10", 1) + "a"),
         "the decoded size is too large"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorOf(c.stream), std::string("Compressed resource is corrupt: ") + c.message)
            << c.what;
}

TEST(LzDecode, TakesTheLimitItIsGiven) {
    const std::string stream =
        Stream(10, std::string("\x15", 1) + "a" + std::string("\x01\x00", 2));
    EXPECT_EQ(Decode(stream, 10), std::string(10, 'a'));
    EXPECT_EQ(ErrorOf(stream, 9), "Compressed resource is corrupt: the decoded size is too large");
}

TEST(LzDecode, TellsStreamsFromPlainText) {
    const std::string stream = Stream(0, "");
    EXPECT_TRUE(IsLzStream(stream.data(), stream.size()));
    EXPECT_TRUE(IsLzStream("LZT1", 4));
    EXPECT_FALSE(IsLzStream("LZT", 3));
    EXPECT_FALSE(IsLzStream("object MainForm: TMainForm", 26));
    EXPECT_FALSE(IsLzStream(nullptr, 8));
}

// The seed corpus of the fuzz target: every broken_ file is refused, every valid_ one decodes.
TEST(LzDecode, SortsTheFuzzCorpus) {
    const std::string folder = std::string(LZ_CORPUS) + "/";
    const std::vector<std::string> names = FilesIn(folder);
    ASSERT_GE(names.size(), 10u);
    for (const std::string& name : names) {
        const std::string error = ErrorOf(ReadFile(folder + name));
        if (name.rfind("broken_", 0) == 0)
            EXPECT_NE(error, "(no exception)") << name;
        else
            EXPECT_EQ(error, "(no exception)") << name;
    }
}

// What the programs carry: the compressed form decodes to exactly the description the build
// wrote, at a small part of its size; and every shorter cut of it is refused.
TEST(LzDecode, RestoresTheFormsTheBuildCompressed) {
    for (const char* variant : {"pelorin", "spelorin"}) {
        const std::string path = std::string(LZ_FORMS) + "/MainForm." + variant + ".form";
        const std::string text = ReadFile(path);
        const std::string stream = ReadFile(path + ".lz");
        ASSERT_GT(text.size(), 400000u) << variant; // the skin alone, in hex, is 456,000 digits
        EXPECT_EQ(Decode(stream), text) << variant;
        EXPECT_LT(stream.size() * 20, text.size()) << variant;
        EXPECT_EQ(ParseFormText(Decode(stream)).ClassName, "TMainForm") << variant;

        for (std::size_t cut = 0; cut < stream.size(); cut += cut < 64 ? 1 : 97)
            EXPECT_NE(ErrorOf(stream.substr(0, cut)), "(no exception)")
                << variant << " cut " << cut;
    }
}

} // namespace
