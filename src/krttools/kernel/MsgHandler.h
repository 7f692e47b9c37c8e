#pragma once

#include <QString>
#include <cstdint>
#include <mutex>
#include <set>

#include "kora/interface/MsgHandlerI.h"
#include "kora/utility/Handle.h"

namespace Kora::Kernel {

// The subscriptions of one receiver on the two message centres. Each call subscribes the
// receiver's handler object on the centre and records the topic, so UnsubscribeAll can undo
// exactly what was done. Without the matching centre a call does nothing and records nothing.
// Safe from any thread.
//
// The handler is not owned: while subscribed, the centres hold references to it. Its owner
// calls UnsubscribeAll while the handler is still referenced (a handler whose count reached 0
// cannot be subscribed anywhere, so destruction needs no unsubscribing).
class MsgHandler {
public:
    explicit MsgHandler(Interface::MsgHandlerI* handler);
    MsgHandler(const MsgHandler&) = delete;
    MsgHandler& operator=(const MsgHandler&) = delete;

    bool Subscribe(const QString& topic);
    bool Unsubscribe(const QString& topic);
    bool SubscribeHP(uint32_t number);
    bool UnsubscribeHP(uint32_t number);
    // Unsubscribes every recorded topic from its centre; both sets end empty.
    void UnsubscribeAll();

    std::set<QString> Topics() const;
    std::set<uint32_t> HPNumbers() const;

private:
    Utility::Handle<Interface::MsgHandlerI> HandlerHandle() const;

    Interface::MsgHandlerI* m_handler;
    mutable std::recursive_mutex m_lock;
    std::set<QString> m_topics;
    std::set<uint32_t> m_hpNumbers;
};

}  // namespace Kora::Kernel
