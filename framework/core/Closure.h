#pragma once
#include <cstring>
#include <functional>
#include <memory>
#include <utility>

// A method closure: an object pointer plus a member function (or a callable with an
// identity). It is "set" when it holds something, and two closures compare equal when they
// call the same member on the same object, so saving and restoring a handler round-trips.
template <class Sig> class Closure;

template <class R, class... A> class Closure<R(A...)> {
public:
    Closure() = default;
    Closure(std::nullptr_t) {}

    template <class T> Closure(T* object, R (T::*method)(A...)) : m_object(object) {
        static_assert(sizeof(method) <= sizeof(m_code), "member pointer too large");
        std::memcpy(m_code, &method, sizeof(method));
        m_invoke = [](void* self, const unsigned char* code, A... args) -> R {
            R (T::*m)(A...);
            std::memcpy(&m, code, sizeof(m));
            return (static_cast<T*>(self)->*m)(std::forward<A>(args)...);
        };
    }

    // A callable (a lambda in tests, for instance); each such closure is its own identity.
    template <class F, class = std::enable_if_t<std::is_invocable_r_v<R, F&, A...> &&
                                                !std::is_same_v<std::decay_t<F>, Closure>>>
    Closure(F callable)
        : m_callable(std::make_shared<std::function<R(A...)>>(std::move(callable))) {
        m_object = m_callable.get();
        m_invoke = [](void* self, const unsigned char*, A... args) -> R {
            return (*static_cast<std::function<R(A...)>*>(self))(std::forward<A>(args)...);
        };
    }

    explicit operator bool() const { return m_invoke != nullptr; }

    R operator()(A... args) const { return m_invoke(m_object, m_code, std::forward<A>(args)...); }

    void* Object() const { return m_object; }

    friend bool operator==(const Closure& a, const Closure& b) {
        return a.m_object == b.m_object && a.m_invoke == b.m_invoke &&
               std::memcmp(a.m_code, b.m_code, sizeof(a.m_code)) == 0;
    }
    friend bool operator!=(const Closure& a, const Closure& b) { return !(a == b); }

private:
    void* m_object = nullptr;
    alignas(void*) unsigned char m_code[16] = {};
    R (*m_invoke)(void*, const unsigned char*, A...) = nullptr;
    std::shared_ptr<std::function<R(A...)>> m_callable;
};
