#pragma once

#include <QObject>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "kora/interface/MsgCenterI.h"

namespace Terminal {

// The normal message centre. Post queues a message from any thread; the messages are delivered
// in the order posted, on the application's (UI) thread, through the Qt event loop: each
// subscriber of the topic at delivery time gets OnMessage(topic, payload, null). A subscriber of
// the topic "*" receives every message. No lock is held while a handler runs, so handlers may
// post, subscribe and unsubscribe.
//
// Without a QCoreApplication nothing is delivered until DeliverPending is called.
class NormalMsgCenter : public Kora::Interface::MsgCenterI {
public:
    static inline const QString kEveryTopic = QStringLiteral("*");

    NormalMsgCenter();
    ~NormalMsgCenter() override;

    bool Subscribe(Kora::Utility::Handle<Kora::Interface::MsgHandlerI> handler,
                   const QString& topic) override;
    bool Unsubscribe(Kora::Utility::Handle<Kora::Interface::MsgHandlerI> handler,
                     const QString& topic) override;
    bool Post(const QString& topic, const Json::Value& payload, int32_t flags) override;
    // The terminal's own posts hand their payload over instead of copying it.
    bool Post(const QString& topic, Json::Value&& payload);

    // Delivers every queued message now, including those posted meanwhile; on the UI thread
    // only (elsewhere it leaves the work to the event loop).
    void DeliverPending();
    size_t PendingCount() const;
    size_t SubscriberCount(const QString& topic) const;
    // Drops every subscription (the host shutting down).
    void Clear();

private:
    struct Message {
        QString topic;
        Json::Value payload;
    };
    using Handlers = std::vector<Kora::Utility::Handle<Kora::Interface::MsgHandlerI>>;

    void ScheduleDelivery();

    mutable std::mutex m_lock;
    std::map<QString, Handlers> m_subscribers;
    std::deque<Message> m_queue;
    bool m_scheduled = false;
    std::unique_ptr<QObject> m_dispatcher;
};

}  // namespace Terminal
