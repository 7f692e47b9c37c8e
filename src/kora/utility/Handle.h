#pragma once

#include <cstddef>
#include <functional>
#include <type_traits>
#include <utility>

#include "kora/utility/Exception.h"
#include "kora/utility/Shared.h"

namespace Kora::Utility {

[[noreturn]] KORA_API void ThrowNullHandle();

// Smart handle over a Shared object: copying adds a reference, dropping releases it. Dereferencing
// an empty handle throws NullHandleException ("KoraUtility/Handle", line 36), so a caller that
// forgot to test for a missing host service fails loudly instead of crashing.
template <class T>
class Handle {
public:
    Handle() = default;
    Handle(std::nullptr_t) {}
    explicit Handle(T* object) { Reset(object); }
    Handle(const Handle& other) { Reset(other.m_object); }
    Handle(Handle&& other) noexcept : m_object(other.m_object), m_shared(other.m_shared) {
        other.m_object = nullptr;
        other.m_shared = nullptr;
    }
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    Handle(const Handle<U>& other) {
        Reset(other.Get());
    }
    ~Handle() { Reset(nullptr); }

    Handle& operator=(const Handle& other) {
        Reset(other.m_object);
        return *this;
    }
    Handle& operator=(Handle&& other) noexcept {
        if (this != &other) {
            Reset(nullptr);
            std::swap(m_object, other.m_object);
            std::swap(m_shared, other.m_shared);
        }
        return *this;
    }
    Handle& operator=(std::nullptr_t) {
        Reset(nullptr);
        return *this;
    }

    // Takes a reference to the new object before releasing the old one, so re-assigning the
    // object a handle already holds never destroys it.
    void Reset(T* object) {
        Shared* shared = object;
        if (shared) {
            shared->AddRef();
        }
        Shared* old = m_shared;
        m_object = object;
        m_shared = shared;
        if (old) {
            old->Release();
        }
    }

    T* operator->() const {
        if (!m_object) {
            ThrowNullHandle();
        }
        return m_object;
    }
    T& operator*() const { return *operator->(); }

    T* Get() const { return m_object; }
    bool IsEmpty() const { return m_object == nullptr; }
    explicit operator bool() const { return m_object != nullptr; }

    // Run-time cast to another interface of the same object; empty when it has none.
    template <class U>
    Handle<U> Cast() const {
        return Handle<U>(m_object ? dynamic_cast<U*>(m_object) : nullptr);
    }

    template <class U>
    bool operator==(const Handle<U>& other) const {
        return m_shared == static_cast<const Shared*>(other.Get());
    }
    bool operator==(std::nullptr_t) const { return m_object == nullptr; }
    // Orders handles by object identity, so they can live in ordered sets.
    template <class U>
    bool operator<(const Handle<U>& other) const {
        return std::less<const Shared*>()(m_shared, static_cast<const Shared*>(other.Get()));
    }

private:
    T* m_object = nullptr;
    Shared* m_shared = nullptr;
};

template <class T, class... Args>
Handle<T> MakeHandle(Args&&... args) {
    return Handle<T>(new T(std::forward<Args>(args)...));
}

}  // namespace Kora::Utility
