#pragma once
#include <utility>

// Runs a callable when the scope ends, on every path out, unless dismissed first. The
// callable runs from a destructor: it must not throw, or the program ends.
template <class F> class ScopeGuard {
public:
    explicit ScopeGuard(F f) : m_f(std::move(f)) {}
    ScopeGuard(ScopeGuard&& other) : m_f(std::move(other.m_f)), m_active(other.m_active) {
        other.m_active = false;
    }
    ~ScopeGuard() {
        if (m_active)
            m_f();
    }
    ScopeGuard(const ScopeGuard&) = delete;
    ScopeGuard& operator=(const ScopeGuard&) = delete;
    ScopeGuard& operator=(ScopeGuard&&) = delete;

    // The step succeeded: nothing is to be undone.
    void Dismiss() { m_active = false; }

private:
    F m_f;
    bool m_active = true;
};

// Sets a flag for as long as the scope lasts, and clears it on every path out.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
};
