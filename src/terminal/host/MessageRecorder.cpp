#include "host/MessageRecorder.h"

namespace Terminal {

void MessageRecorder::OnHPMessage(uint32_t number, const void*, intptr_t) {
    std::lock_guard lock(m_lock);
    m_messages.push_back({QString(), number, Json::Value(), std::this_thread::get_id()});
}

void MessageRecorder::OnMessage(const QString& topic, const Json::Value& payload, const Json::Value&) {
    std::lock_guard lock(m_lock);
    m_messages.push_back({topic, 0, payload, std::this_thread::get_id()});
}

std::vector<MessageRecorder::Message> MessageRecorder::Messages() const {
    std::lock_guard lock(m_lock);
    return m_messages;
}

std::vector<Json::Value> MessageRecorder::Payloads(const QString& topic) const {
    std::lock_guard lock(m_lock);
    std::vector<Json::Value> payloads;
    for (const Message& message : m_messages) {
        if (message.topic == topic) {
            payloads.push_back(message.payload);
        }
    }
    return payloads;
}

std::vector<QString> MessageRecorder::Topics() const {
    std::lock_guard lock(m_lock);
    std::vector<QString> topics;
    for (const Message& message : m_messages) {
        if (!message.topic.isEmpty()) {
            topics.push_back(message.topic);
        }
    }
    return topics;
}

size_t MessageRecorder::Count(const QString& topic) const {
    std::lock_guard lock(m_lock);
    size_t count = 0;
    for (const Message& message : m_messages) {
        count += message.topic == topic ? 1 : 0;
    }
    return count;
}

void MessageRecorder::Clear() {
    std::lock_guard lock(m_lock);
    m_messages.clear();
}

}  // namespace Terminal
