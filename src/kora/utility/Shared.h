#pragma once

#include <atomic>
#include <cstdint>

#include "kora/utility/Export.h"

namespace Kora::Utility {

// Reference-counted base of every object that crosses the host boundary. Interfaces inherit it
// virtually, so an object implementing several interfaces has one count. A new object starts at
// 0; the first Handle that takes it adds the first reference.
class KORA_API Shared {
public:
    Shared() = default;
    // A copy is a new object: it starts with no references and not static.
    Shared(const Shared&) : Shared() {}
    Shared& operator=(const Shared&) { return *this; }

    virtual ~Shared();
    virtual void AddRef();
    // Deletes the object when the count reaches 0, unless it is marked static.
    virtual void Release();
    virtual int32_t GetRefCount() const;
    virtual void SetStatic(bool isStatic);

private:
    std::atomic<int32_t> m_refCount{0};
    std::atomic<uint8_t> m_flags{0};
};

}  // namespace Kora::Utility
