#pragma once

#include <json/value.h>

#include <QCoreApplication>
#include <QObject>
#include <vector>

#include "fileorder/CReadFile.h"
#include "platform/WinMessage.h"

// Stands where the file-order window stands and keeps what the scanner posts to it.
class RecordingWindow : public QObject, public Win::MessageWindow {
public:
    std::vector<Json::Value> requests;

    Win::LRESULT OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) override {
        if (message == CReadFile::kFileOrderMessage) {
            const QString* tag = Win::PayloadValue<QString>(wParam);
            const Json::Value* request = Win::PayloadValue<Json::Value>(static_cast<uintptr_t>(lParam));
            if (tag && *tag == QStringLiteral("FileOrder") && request) {
                requests.push_back(*request);
            }
        }
        return 1;
    }

    // Delivers what was posted so far.
    void Deliver() { QCoreApplication::sendPostedEvents(this); }

    std::vector<std::string> FileNames() const {
        std::vector<std::string> names;
        for (const Json::Value& request : requests) {
            names.push_back(request["FileName"].asString());
        }
        return names;
    }
};
