#include "host/NormalMsgCenter.h"

#include <QCoreApplication>
#include <QThread>
#include <algorithm>
#include <cstdio>

namespace Terminal {

using Kora::Interface::MsgHandlerI;
using Kora::Utility::Handle;

NormalMsgCenter::NormalMsgCenter() : m_dispatcher(std::make_unique<QObject>()) {
    if (QCoreApplication* app = QCoreApplication::instance()) {
        m_dispatcher->moveToThread(app->thread());
    }
}

NormalMsgCenter::~NormalMsgCenter() = default;

bool NormalMsgCenter::Subscribe(Handle<MsgHandlerI> handler, const QString& topic) {
    if (!handler || topic.isEmpty()) {
        return false;
    }
    std::lock_guard lock(m_lock);
    Handlers& handlers = m_subscribers[topic];
    if (std::find(handlers.begin(), handlers.end(), handler) == handlers.end()) {
        handlers.push_back(handler);
    }
    return true;
}

bool NormalMsgCenter::Unsubscribe(Handle<MsgHandlerI> handler, const QString& topic) {
    Handle<MsgHandlerI> released;  // released after the lock: its destructor may re-enter
    std::lock_guard lock(m_lock);
    auto it = m_subscribers.find(topic);
    if (it == m_subscribers.end()) {
        return false;
    }
    auto found = std::find(it->second.begin(), it->second.end(), handler);
    if (found == it->second.end()) {
        return false;
    }
    released = *found;
    it->second.erase(found);
    if (it->second.empty()) {
        m_subscribers.erase(it);
    }
    return true;
}

bool NormalMsgCenter::Post(const QString& topic, const Json::Value& payload, int32_t) {
    return Post(topic, Json::Value(payload));
}

bool NormalMsgCenter::Post(const QString& topic, Json::Value&& payload) {
    if (topic.isEmpty()) {
        return false;
    }
    {
        std::lock_guard lock(m_lock);
        m_queue.push_back({topic, std::move(payload)});
    }
    ScheduleDelivery();
    return true;
}

void NormalMsgCenter::ScheduleDelivery() {
    if (!QCoreApplication::instance()) {
        return;
    }
    {
        std::lock_guard lock(m_lock);
        if (m_scheduled) {
            return;
        }
        m_scheduled = true;
    }
    QMetaObject::invokeMethod(
        m_dispatcher.get(), [this] { DeliverPending(); }, Qt::QueuedConnection);
}

void NormalMsgCenter::DeliverPending() {
    QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() != app->thread()) {
        ScheduleDelivery();
        return;
    }
    for (;;) {
        Message message;
        Handlers handlers;
        {
            std::lock_guard lock(m_lock);
            m_scheduled = false;
            if (m_queue.empty()) {
                return;
            }
            message = std::move(m_queue.front());
            m_queue.pop_front();
            for (const QString& topic : {message.topic, kEveryTopic}) {
                auto it = m_subscribers.find(topic);
                if (it != m_subscribers.end()) {
                    handlers.insert(handlers.end(), it->second.begin(), it->second.end());
                }
            }
        }
        const Json::Value none;
        for (const Handle<MsgHandlerI>& handler : handlers) {
            try {
                handler->OnMessage(message.topic, message.payload, none);
            } catch (const std::exception& error) {
                std::fprintf(stderr, "krt-terminal: a handler of \"%s\" failed: %s\n",
                             message.topic.toUtf8().constData(), error.what());
            } catch (...) {
                std::fprintf(stderr, "krt-terminal: a handler of \"%s\" failed\n",
                             message.topic.toUtf8().constData());
            }
        }
    }
}

size_t NormalMsgCenter::PendingCount() const {
    std::lock_guard lock(m_lock);
    return m_queue.size();
}

size_t NormalMsgCenter::SubscriberCount(const QString& topic) const {
    std::lock_guard lock(m_lock);
    auto it = m_subscribers.find(topic);
    return it == m_subscribers.end() ? 0 : it->second.size();
}

void NormalMsgCenter::Clear() {
    std::map<QString, Handlers> subscribers;
    std::lock_guard lock(m_lock);
    subscribers.swap(m_subscribers);
}

}  // namespace Terminal
