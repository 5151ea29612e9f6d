#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "tessel/System/WinRegistry.h"
#include "tests/support/AssertCapture.h"
#include "tests/support/WinScratchKey.h"

using tessel::RegKeyEnumerater;

namespace {

const char* const kOpenCheck =
    "Assertion failed: IsOpen(), file tessel/System/WinRegistry, line 718";
const char* const kNameCheck =
    "Assertion failed: !IsDone(), file tessel/System/WinRegistry, line 727";

std::vector<std::string> NamesOf(RegKeyEnumerater& keys) {
    std::vector<std::string> names;
    for (; !keys.IsDone(); keys.Next())
        names.push_back(keys.Name());
    return names;
}

} // namespace

TEST(RegKeyEnumerater, KeyWithoutSubkeysIsDoneAtOnce) {
    ScratchKey key("Empty");
    RegKeyEnumerater keys;
    ASSERT_TRUE(keys.Open(HKEY_CURRENT_USER, key.Path().c_str()));
    EXPECT_TRUE(keys.IsOpen());
    EXPECT_TRUE(keys.IsDone());
    keys.Close();
    EXPECT_FALSE(keys.IsOpen());
}

TEST(RegKeyEnumerater, WalksSubkeysInIndexOrderUntilDone) {
    ScratchKey key("ABC");
    for (const char* name : {"C", "A", "B"})
        ASSERT_TRUE(key.AddSubKey(name));

    // The registry's own index order is the reference.
    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key.Path().c_str(), 0, KEY_READ, &raw),
              ERROR_SUCCESS);
    std::vector<std::string> expected;
    char name[16];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(raw, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        expected.push_back(name);
    }
    RegCloseKey(raw);
    ASSERT_EQ(expected.size(), 3u);

    RegKeyEnumerater keys;
    ASSERT_TRUE(keys.Open(HKEY_CURRENT_USER, key.Path().c_str()));
    std::vector<std::string> seen;
    for (int step = 0; step < 3; ++step) {
        ASSERT_FALSE(keys.IsDone());
        seen.push_back(keys.Name());
        keys.Next();
    }
    EXPECT_EQ(seen, expected);
    EXPECT_TRUE(keys.IsDone());
    EXPECT_EQ(AssertionTextOf([&] { keys.Name(); }), kNameCheck);
    EXPECT_EQ(AssertionTextOf([&] { keys.Next(); }),
              "Assertion failed: !IsDone(), file tessel/System/Source/WinRegistry, line 947");
    EXPECT_TRUE(keys.IsOpen()); // done, but the key stays open until Close
}

TEST(RegKeyEnumerater, MissingPathLeavesItClosed) {
    ScratchKey key("Missing");
    RegKeyEnumerater keys;
    EXPECT_FALSE(keys.Open(HKEY_CURRENT_USER, (key.Path() + "\\NoSuchKey").c_str()));
    EXPECT_FALSE(keys.IsOpen());
    EXPECT_EQ(AssertionTextOf([&] { keys.IsDone(); }), kOpenCheck);
    // Name checks IsDone, which reports the missing iteration first.
    EXPECT_EQ(AssertionTextOf([&] { keys.Name(); }), kOpenCheck);
    EXPECT_EQ(AssertionTextOf([&] { keys.Next(); }),
              "Assertion failed: IsOpen(), file tessel/System/Source/WinRegistry, line 1196");
}

TEST(RegKeyEnumerater, CloseTwiceIsHarmlessAndAllowsOpeningAgain) {
    ScratchKey key("CloseTwice");
    ASSERT_TRUE(key.AddSubKey("only"));
    RegKeyEnumerater keys;
    ASSERT_TRUE(keys.Open(HKEY_CURRENT_USER, key.Path().c_str()));
    keys.Close();
    keys.Close();
    EXPECT_FALSE(keys.IsOpen());
    ASSERT_TRUE(keys.Open(HKEY_CURRENT_USER, key.Path().c_str()));
    EXPECT_EQ(NamesOf(keys), std::vector<std::string>{"only"});
}

TEST(RegKeyEnumerater, OpeningAgainReplacesTheEarlierKey) {
    ScratchKey first("First"), second("Second");
    ASSERT_TRUE(first.AddSubKey("one"));
    ASSERT_TRUE(second.AddSubKey("two"));
    RegKeyEnumerater keys;
    ASSERT_TRUE(keys.Open(HKEY_CURRENT_USER, first.Path().c_str()));
    ASSERT_TRUE(keys.Open(HKEY_CURRENT_USER, second.Path().c_str()));
    EXPECT_EQ(NamesOf(keys), std::vector<std::string>{"two"});

    // A failed second Open changes nothing.
    ASSERT_TRUE(keys.Open(HKEY_CURRENT_USER, first.Path().c_str()));
    EXPECT_FALSE(keys.Open(HKEY_CURRENT_USER, (first.Path() + "\\none").c_str()));
    ASSERT_TRUE(keys.IsOpen());
    EXPECT_EQ(NamesOf(keys), std::vector<std::string>{"one"});
}

TEST(RegKeyEnumerater, LongerNameAddedAfterSizingEndsTheWalkThere) {
    ScratchKey key("Longer");
    ASSERT_TRUE(key.AddSubKey("A"));
    ASSERT_TRUE(key.AddSubKey("B"));
    RegKeyEnumerater keys;
    ASSERT_TRUE(keys.Open(HKEY_CURRENT_USER, key.Path().c_str())); // buffer sized for 1
    ASSERT_TRUE(key.AddSubKey("CCCCCCCCCCCC"));
    ASSERT_TRUE(key.AddSubKey("D"));
    // "D" fits the buffer but lies behind the name that does not: the first failing index
    // ends the walk for good.
    EXPECT_EQ(NamesOf(keys), (std::vector<std::string>{"A", "B"}));
}

namespace {
std::vector<std::string> g_reports;
void Record(const char* expression, const char* file, int line) {
    g_reports.push_back(tessel::AssertMessage(expression, file, line));
}
} // namespace

TEST(RegEnumKeyBase, IteratorWithoutSourceReportsEachCheck) {
    // This handler returns, so the iterator must survive its own failed checks.
    g_reports.clear();
    tessel::AssertHandler previous = tessel::SetAssertHandler(Record);
    tessel::detail::RegEnumKeyBase iterator(nullptr);
    const bool done = iterator.IsDone();
    tessel::SetAssertHandler(previous);

    EXPECT_TRUE(done);
    EXPECT_EQ(g_reports,
              (std::vector<std::string>{
                  "Assertion failed: m_base != NULL, file tessel/System/Source/WinRegistry, "
                  "line 956",
                  "Assertion failed: m_base != NULL, file tessel/System/Source/WinRegistry, "
                  "line 938"}));
}

namespace {

// Array allocations fail while this is set: the name buffer is the only array the walk
// allocates. Counted, so a test sees that its failure really happened.
bool g_failArrays = false;
int g_failedArrays = 0;

} // namespace

void* operator new[](std::size_t size) {
    if (g_failArrays) {
        ++g_failedArrays;
        throw std::bad_alloc();
    }
    return ::operator new(size);
}

TEST(RegSubKeyBase, FailedSizeQueryMakesTheWalkDoneAtOnce) {
    ScratchKey key("Unsized");
    ASSERT_TRUE(key.AddSubKey("A"));
    ASSERT_TRUE(key.AddSubKey("B"));
    // A handle whose key has since been deleted: asking for its sizes fails. (Windows also
    // refuses the question on a handle opened without KEY_QUERY_VALUE; Wine does not.)
    HKEY listOnly = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key.Path().c_str(), 0, KEY_READ, &listOnly),
              ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, key.Path().c_str()), ERROR_SUCCESS);
    DWORD longest = 0;
    ASSERT_NE(RegQueryInfoKeyA(listOnly, nullptr, nullptr, nullptr, nullptr, &longest, nullptr,
                               nullptr, nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);

    tessel::RegSubKeyBase base(listOnly);
    std::string read = "stale";
    EXPECT_FALSE(base.GetName(0, read));
    EXPECT_EQ(read, "");
    tessel::detail::RegEnumKeyBase iterator(&base);
    EXPECT_TRUE(iterator.IsDone()); // it looks like a key without subkeys
    EXPECT_EQ(iterator.Name(), "");
    RegCloseKey(listOnly);
}

TEST(RegKeyEnumerater, NameBufferThatCannotBeAllocatedFailsOpenAndClosesTheKey) {
    ScratchKey key("NoMemory");
    ASSERT_TRUE(key.AddSubKey(std::string(200, 'n')));
    // Wine hands out the lowest free handle value (a test-only trick, like counting GDI
    // objects by value): a key the failed Open left open would hold this one.
    HKEY probe = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key.Path().c_str(), 0, KEY_READ, &probe),
              ERROR_SUCCESS);
    const HKEY free = probe;
    RegCloseKey(probe);

    RegKeyEnumerater keys;
    g_failedArrays = 0;
    g_failArrays = true;
    const bool opened = keys.Open(HKEY_CURRENT_USER, key.Path().c_str());
    g_failArrays = false;
    ASSERT_EQ(g_failedArrays, 1);
    EXPECT_FALSE(opened);
    EXPECT_FALSE(keys.IsOpen());

    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key.Path().c_str(), 0, KEY_READ, &probe),
              ERROR_SUCCESS);
    EXPECT_EQ(probe, free) << "the failed Open left its key open";
    RegCloseKey(probe);

    // With memory the same key opens and is walked.
    ASSERT_TRUE(keys.Open(HKEY_CURRENT_USER, key.Path().c_str()));
    EXPECT_EQ(NamesOf(keys), std::vector<std::string>{std::string(200, 'n')});
}
