#pragma once

#include <QGuiApplication>
#include <vector>

#include "host/ServiceBase.h"
#include "kora/interface/KRTToolsI.h"

namespace TerminalUiTest {

// Stands in for the component's tools service where a test needs to see exactly which key
// messages the terminal hands over, and with which modifier keys held at the time.
class RecordingTools : public Terminal::ServiceBase<Kora::Interface::KRTToolsI> {
public:
    struct Key {
        Kora::Interface::WindowMessage message;
        Qt::KeyboardModifiers held;
    };

    RecordingTools() : ServiceBase(QStringLiteral("交易工具")) {}

    // The virtual key the service acts on (0: none).
    Kora::Interface::WPARAM actsOn = 0;
    std::vector<Key> keys;

    bool KeyMessage(const Kora::Interface::WindowMessage& message) override {
        keys.push_back({message, QGuiApplication::keyboardModifiers()});
        return message.wParam == actsOn;
    }
    Kora::Interface::WindowHandle PageMessage(const Kora::Interface::PageMessage&) override {
        return nullptr;
    }
    Json::Value ComponentInfo() override { return {}; }
    Kora::Interface::WindowHandle CreateFileOrderWindow() override { return nullptr; }
    void DestroyFileOrderWindow() override {}
    bool OpenToolFrame() override { return false; }
    bool CloseToolFrame() override { return false; }
    bool SetSmartOrderSwitch(const Json::Value&, const Json::Value&) override { return false; }
    bool SendQuoteInteraction(const Json::Value&, const Json::Value&) override { return false; }
};

}  // namespace TerminalUiTest
