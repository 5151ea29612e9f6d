#pragma once
#include <string>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/win/Win.h"
#include "tests/support/WinPixels.h"

// A folder of its own in the temporary folder for one test, holding bitmap files; the files
// and the folder are removed when the test ends.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& name) {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        m_path = std::string(temp) + name;
        CreateDirectoryA(m_path.c_str(), nullptr);
    }
    ~ScratchFolder() {
        for (const std::string& file : m_files)
            DeleteFileA((m_path + "\\" + file).c_str());
        RemoveDirectoryA(m_path.c_str());
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Without a trailing "\".
    const std::string& Path() const { return m_path; }

    // Writes a 24-bit bitmap file of one colour; returns its name.
    std::string AddSolidBitmap(const std::string& file, int width, int height, TColor color) {
        TBitmap bitmap;
        MakeSolid(&bitmap, width, height, color);
        bitmap.SaveToFile((m_path + "\\" + file).c_str());
        m_files.push_back(file);
        return file;
    }

private:
    std::string m_path;
    std::vector<std::string> m_files;
};
