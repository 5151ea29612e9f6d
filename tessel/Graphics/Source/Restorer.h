#pragma once
#include <utility>

namespace tessel {
namespace detail {

// Puts a setting back after a step that changed it, where putting it back can itself throw
// (a bitmap's or a pen's OnChange handler). On the normal path the caller calls Restore() and
// its failure passes on. When the step throws, the destructor puts the setting back instead:
// a second exception cannot travel beside the first, so the step's exception is the one the
// caller sees, and the program is not ended by a throwing destructor.
template <class Undo> class Restorer {
public:
    explicit Restorer(Undo undo) : m_undo(std::move(undo)) {}
    ~Restorer() {
        if (!m_pending)
            return;
        try {
            m_undo();
        } catch (...) {
        }
    }
    Restorer(const Restorer&) = delete;
    Restorer& operator=(const Restorer&) = delete;

    void Restore() {
        m_pending = false;
        m_undo();
    }

private:
    Undo m_undo;
    bool m_pending = true;
};

} // namespace detail
} // namespace tessel
