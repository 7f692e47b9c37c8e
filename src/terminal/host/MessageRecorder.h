#pragma once

#include <json/value.h>

#include <QString>
#include <mutex>
#include <thread>
#include <vector>

#include "kora/interface/MsgHandlerI.h"

namespace Terminal {

// A message handler that keeps what it receives, for tests and diagnostics. Safe from any
// thread. High-performance messages are kept by number (with no payload): their records live
// only during the call.
class MessageRecorder : public Kora::Interface::MsgHandlerI {
public:
    struct Message {
        QString topic;        // empty for a high-performance message
        uint32_t number = 0;  // 0 for a normal message
        Json::Value payload;
        std::thread::id thread;
    };

    void OnHPMessage(uint32_t number, const void* record, intptr_t extra) override;
    void OnMessage(const QString& topic, const Json::Value& payload, const Json::Value& extra) override;

    std::vector<Message> Messages() const;
    // Payloads of one topic, in arrival order.
    std::vector<Json::Value> Payloads(const QString& topic) const;
    // Topics in arrival order.
    std::vector<QString> Topics() const;
    size_t Count(const QString& topic) const;
    void Clear();

private:
    mutable std::mutex m_lock;
    std::vector<Message> m_messages;
};

}  // namespace Terminal
