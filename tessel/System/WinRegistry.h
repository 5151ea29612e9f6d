#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "framework/win/Win.h"
#include "tessel/System/Assert.h"

namespace tessel {

// The handle of an opened key and a buffer sized for its longest subkey name.
class RegSubKeyBase {
public:
    explicit RegSubKeyBase(HKEY key);
    RegSubKeyBase(const RegSubKeyBase&) = delete;
    RegSubKeyBase& operator=(const RegSubKeyBase&) = delete;

    // Reads the name of subkey `index`; on any failure `name` is cleared and false returned.
    bool GetName(unsigned index, std::string& name);

private:
    HKEY m_key; // borrowed: the enumerater closes it
    std::unique_ptr<char[]> m_buffer;
    std::uint32_t m_bufferSize; // characters, terminator included; 0 when unsized
};

namespace detail {

// Walks the subkey names of a RegSubKeyBase by index, from 0 to the first that fails.
class RegEnumKeyBase {
public:
    explicit RegEnumKeyBase(RegSubKeyBase* base);

    bool IsDone() const;
    void Next();
    bool Advance();
    const std::string& Name() const { return m_name; }
    RegSubKeyBase* Base() const { return m_base; }

private:
    RegSubKeyBase* m_base; // borrowed: the enumerater frees it
    std::int32_t m_index;  // -1 once the iteration is done, for good
    std::string m_name;
};

} // namespace detail

// Opens a registry key for reading and walks the names of its direct subkeys.
class RegKeyEnumerater {
public:
    RegKeyEnumerater();
    ~RegKeyEnumerater();
    RegKeyEnumerater(const RegKeyEnumerater&) = delete;
    RegKeyEnumerater& operator=(const RegKeyEnumerater&) = delete;

    // Opens `path` below `root` and stands on its first subkey. A missing or unreadable key
    // gives false and leaves the enumerater as it was.
    bool Open(HKEY root, const char* path);
    bool IsOpen() const { return m_iterator != nullptr; }

    bool IsDone() const {
        TESSEL_ASSERT(IsOpen(), "tessel/System/WinRegistry", 718);
        return m_iterator->IsDone();
    }

    const std::string& Name() const {
        TESSEL_ASSERT(!IsDone(), "tessel/System/WinRegistry", 727);
        return m_iterator->Name();
    }

    void Next();
    // Releases the iteration and the key; harmless when not open.
    void Close();

protected:
    virtual void DoNext();

private:
    std::unique_ptr<detail::RegEnumKeyBase> m_iterator; // null while not open
    HKEY m_key;
    bool m_opened; // m_key is a handle this object must close
};

} // namespace tessel
