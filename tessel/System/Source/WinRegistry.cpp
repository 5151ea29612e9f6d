#include "tessel/System/WinRegistry.h"

#include <new>

namespace tessel {

RegSubKeyBase::RegSubKeyBase(HKEY key) : m_key(key), m_buffer(), m_bufferSize(0) {
    DWORD longestName = 0;
    const LONG result = RegQueryInfoKeyA(m_key, nullptr, nullptr, nullptr, nullptr, &longestName,
                                         nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    m_bufferSize = longestName + 1; // room for the terminator
    if (result == ERROR_SUCCESS)
        m_buffer.reset(new char[m_bufferSize]);
    else
        m_bufferSize = 0;
}

bool RegSubKeyBase::GetName(unsigned index, std::string& name) {
    // An unsized buffer makes every index fail: an unreadable key looks like one without
    // subkeys.
    DWORD length = m_bufferSize;
    if (m_buffer && RegEnumKeyExA(m_key, index, m_buffer.get(), &length, nullptr, nullptr, nullptr,
                                  nullptr) == ERROR_SUCCESS) {
        name.assign(m_buffer.get(), length);
        return true;
    }
    name.clear();
    return false;
}

namespace detail {

RegEnumKeyBase::RegEnumKeyBase(RegSubKeyBase* base) : m_base(base), m_index(-1), m_name() {
    Advance();
}

bool RegEnumKeyBase::IsDone() const {
    TESSEL_ASSERT(m_base != NULL, "tessel/System/Source/WinRegistry", 938);
    return m_index == -1;
}

void RegEnumKeyBase::Next() {
    TESSEL_ASSERT(!IsDone(), "tessel/System/Source/WinRegistry", 947);
    Advance();
}

bool RegEnumKeyBase::Advance() {
    TESSEL_ASSERT(m_base != NULL, "tessel/System/Source/WinRegistry", 956);
    ++m_index;
    // Without a source (reachable only when an assertion handler returns) the walk ends.
    const bool read = m_base != nullptr && m_base->GetName(m_index, m_name);
    if (!read)
        m_index = -1;
    return read;
}

} // namespace detail

RegKeyEnumerater::RegKeyEnumerater() : m_iterator(), m_key(nullptr), m_opened(false) {}

RegKeyEnumerater::~RegKeyEnumerater() {
    Close();
}

bool RegKeyEnumerater::Open(HKEY root, const char* path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;

    std::unique_ptr<RegSubKeyBase> base;
    std::unique_ptr<detail::RegEnumKeyBase> iterator;
    try {
        base.reset(new RegSubKeyBase(key));
        iterator.reset(new detail::RegEnumKeyBase(base.get()));
    } catch (const std::bad_alloc&) {
        RegCloseKey(key); // the unique_ptrs free whatever was created
        return false;
    }

    // A second Open replaces the first instead of leaking its key and iteration.
    Close();
    m_key = key;
    m_iterator = std::move(iterator);
    base.release(); // now reachable through the iterator; Close frees it
    m_opened = true;
    return true;
}

void RegKeyEnumerater::Next() {
    TESSEL_ASSERT(IsOpen(), "tessel/System/Source/WinRegistry", 1196);
    DoNext();
}

void RegKeyEnumerater::DoNext() {
    m_iterator->Next();
}

void RegKeyEnumerater::Close() {
    if (m_iterator) {
        // The name source first, then the iterator that borrowed it.
        delete m_iterator->Base();
        m_iterator.reset();
    }
    if (m_opened) {
        RegCloseKey(m_key);
        m_opened = false;
    }
}

} // namespace tessel
