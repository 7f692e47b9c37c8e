#pragma once

#include <QWidget>
#include <vector>

#include "platform/WinMessage.h"

// A parent window that records every numbered message its child controls send it.
class MessageRecorder : public QWidget, public Win::MessageWindow {
public:
    struct Message {
        Win::UINT message;
        Win::WPARAM wParam;
        Win::LPARAM lParam;
    };

    Win::LRESULT OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) override {
        messages.push_back({message, wParam, lParam});
        return 1;
    }

    std::vector<Message> Of(Win::UINT message) const {
        std::vector<Message> matching;
        for (const Message& m : messages) {
            if (m.message == message) {
                matching.push_back(m);
            }
        }
        return matching;
    }

    std::vector<Message> messages;
};
