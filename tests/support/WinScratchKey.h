#pragma once
#include <string>

#include "framework/win/Win.h"

// A registry key of its own under HKEY_CURRENT_USER\Software\TesselTests for one test,
// removed with everything below it when the test ends.
class ScratchKey {
public:
    explicit ScratchKey(const std::string& name) : m_path("Software\\TesselTests\\" + name) {
        RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str()); // leftovers of a crashed run
        Create(m_path);
    }
    ~ScratchKey() {
        RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\TesselTests"); // only if now empty
    }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    // Path below HKEY_CURRENT_USER.
    const std::string& Path() const { return m_path; }
    // Adds a direct subkey; returns whether it was created.
    bool AddSubKey(const std::string& name) const { return Create(m_path + "\\" + name); }

private:
    static bool Create(const std::string& path) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }
    std::string m_path;
};
