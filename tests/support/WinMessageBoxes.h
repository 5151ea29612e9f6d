#pragma once
#include <string>
#include <vector>

#include "framework/ui/MessageBox.h"
#include "framework/win/Win.h"

// While alive, every message box is recorded instead of shown and answered with IDOK.
class RecordedMessageBoxes {
public:
    struct Box {
        HWND owner;
        std::string text, caption;
        UINT flags;
    };

    RecordedMessageBoxes() : m_previous(SetMessageBoxFunction(&Record)) { Boxes().clear(); }
    ~RecordedMessageBoxes() { SetMessageBoxFunction(m_previous); }
    RecordedMessageBoxes(const RecordedMessageBoxes&) = delete;
    RecordedMessageBoxes& operator=(const RecordedMessageBoxes&) = delete;

    const std::vector<Box>& Shown() const { return Boxes(); }

    static int Record(HWND owner, const char* text, const char* caption, UINT flags) {
        Boxes().push_back({owner, text, caption, flags});
        return IDOK;
    }

private:
    static std::vector<Box>& Boxes() {
        static std::vector<Box> boxes;
        return boxes;
    }
    MessageBoxFunction m_previous;
};
