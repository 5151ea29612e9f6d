#include "framework/core/Object.h"

#include <cstring>
#include <typeinfo>

// The compiler's name of a class type (the Itanium C++ ABI's mangling, which both of our
// compilers use) is read here rather than handed to the runtime's demangler, which would add
// some 45 KB to every program for the one word the messages need.
namespace {

class MangledName {
public:
    explicit MangledName(const char* text) : m_p(text) {}

    // The last plain name of the class: Outer::Inner gives Inner, a class in a namespace or
    // inside a function gives its own name; the arguments of a template are left out.
    // Empty when the name is not a class name this reader knows.
    std::string LastName() {
        std::string last;
        if (!Name(last) || *m_p != '\0')
            return std::string();
        return last;
    }

private:
    // <name>: a nested name N...E, a local name Z...E<name>, or an unscoped name.
    bool Name(std::string& last) {
        if (*m_p == 'N') {
            ++m_p;
            while (*m_p != 'E') {
                if (!Component(last))
                    return false;
            }
            ++m_p;
            return true;
        }
        if (*m_p == 'Z') {
            // The function a local class is defined in: skipped whole.
            ++m_p;
            if (!SkipUntilClosed())
                return false;
            if (*m_p == 's') // a string literal's entity
                ++m_p;
            if (!Name(last))
                return false;
            return Discriminator();
        }
        if (m_p[0] == 'S' && m_p[1] == 't') // std::
            m_p += 2;
        return Component(last);
    }

    // One name of a scope chain, with the template arguments that may follow it.
    bool Component(std::string& last) {
        if (*m_p >= '0' && *m_p <= '9') {
            const char* start = nullptr;
            std::size_t length = 0;
            if (!SourceName(start, length))
                return false;
            last.assign(start, length);
        } else if (*m_p == 'S') {
            if (!Substitution())
                return false;
        } else {
            return false;
        }
        if (*m_p == 'I') {
            ++m_p;
            return SkipUntilClosed();
        }
        return true;
    }

    // <length><identifier>
    bool SourceName(const char*& start, std::size_t& length) {
        length = 0;
        while (*m_p >= '0' && *m_p <= '9') {
            length = length * 10 + static_cast<std::size_t>(*m_p - '0');
            if (length > 4096)
                return false;
            ++m_p;
        }
        if (length == 0 || std::strlen(m_p) < length)
            return false;
        start = m_p;
        m_p += length;
        return true;
    }

    // S_, S<seq-id>_, St, Sa, Sb, Ss, Si, So, Sd
    bool Substitution() {
        ++m_p;
        if (*m_p != '\0' && std::strchr("tabsiod", *m_p)) {
            ++m_p;
            return true;
        }
        while ((*m_p >= '0' && *m_p <= '9') || (*m_p >= 'A' && *m_p <= 'Z'))
            ++m_p;
        if (*m_p != '_')
            return false;
        ++m_p;
        return true;
    }

    // Skips to just past the E that closes what was opened before the call. Names inside are
    // skipped by their length (they may hold an E), literals of built-in types by their value;
    // N, I, L, Z, F and X open a level of their own.
    bool SkipUntilClosed() {
        int depth = 1;
        while (*m_p != '\0') {
            const char c = *m_p;
            if (c >= '0' && c <= '9') {
                const char* start = nullptr;
                std::size_t length = 0;
                if (!SourceName(start, length))
                    return false;
                continue;
            }
            ++m_p;
            if (c == 'L' && *m_p >= 'a' && *m_p <= 'z') {
                // A literal of a built-in type: its value is a number, not a name.
                ++m_p;
                if (*m_p == 'n')
                    ++m_p;
                while (*m_p >= '0' && *m_p <= '9')
                    ++m_p;
                if (*m_p != 'E')
                    return false;
                ++m_p;
                continue;
            }
            if (c == 'N' || c == 'I' || c == 'L' || c == 'Z' || c == 'F' || c == 'X')
                ++depth;
            else if (c == 'E' && --depth == 0)
                return true;
        }
        return false;
    }

    // _<digit> or __<number>_ after a local name.
    bool Discriminator() {
        if (*m_p != '_')
            return true;
        ++m_p;
        if (*m_p == '_') {
            ++m_p;
            while (*m_p >= '0' && *m_p <= '9')
                ++m_p;
            if (*m_p != '_')
                return false;
            ++m_p;
            return true;
        }
        if (*m_p < '0' || *m_p > '9')
            return false;
        ++m_p;
        return true;
    }

    const char* m_p;
};

} // namespace

std::string ClassNameOf(const char* mangled) {
    const std::string name = MangledName(mangled).LastName();
    return name.empty() ? std::string(mangled) : name;
}

std::string TObject::ClassName() const {
    return ClassNameOf(typeid(*this).name());
}
