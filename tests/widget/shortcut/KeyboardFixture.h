#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <QWindow>
#include <initializer_list>

#include "frame/CKRTToolsApp.h"
#include "kora/utility/JsonAccess.h"
#include "platform/WinMessage.h"
#include "shortcut/CDlgShortcutTrade.h"
#include "shortcut/ShortcutKeyTable.h"
#include "support/ComponentOnHost.h"

// A terminal with the component loaded, keys handed to the tools service as the terminal's key
// filter does, and the keyboard order mode a test away.
class KeyboardFixture : public ::testing::Test {
protected:
    void TearDown() override {
        CKRTToolsApp::Instance().CleanUp();
        ShortcutKeyTable::Shared().keyHeld = false;
    }

    void SetSetting(const char* key, const Json::Value& value) {
        t.Host().Settings().SetValue(QString::fromUtf8(ShortcutKeyTable::kSection), QString::fromUtf8(key),
                                     value);
    }

    void Execute(const char* function) {
        Json::Value request(Json::objectValue);
        request["Function"] = function;
        t.Component().InstructProvider()->ExecuteInstruct(request);
        Pump();
    }

    void Pump() { t.Pump(); }
    void Post(const QString& topic, const Json::Value& payload = Json::Value()) {
        t.Host().Messages().Post(topic, payload, 0);
        Pump();
    }

    bool Key(Win::UINT message, int virtualKey) {
        return t.Component().ToolsService()->KeyMessage(
            {nullptr, message, static_cast<Win::WPARAM>(virtualKey), 0});
    }
    void Down(int vk) { Key(Win::WM_KEYDOWN, vk); }
    void Up(int vk) { Key(Win::WM_KEYUP, vk); }

    // The window system's side of a modifier key: what the application's key state says is
    // held, whether or not the terminal hands the key's message on.
    void HoldModifier(int vk, bool down) {
        const auto [key, flag] = vk == Win::VK_CONTROL ? std::pair{Qt::Key_Control, Qt::ControlModifier}
                                 : vk == Win::VK_SHIFT ? std::pair{Qt::Key_Shift, Qt::ShiftModifier}
                                                       : std::pair{Qt::Key_Alt, Qt::AltModifier};
        m_held = down ? (m_held | flag) : (m_held & ~flag);
        if (down) {
            QTest::keyPress(&m_keyboard, key, m_held);
        } else {
            QTest::keyRelease(&m_keyboard, key, m_held);
        }
    }
    // A whole press of a chord as the terminal reports it: each modifier down (held in the key
    // state and handed on), the key down and up, the modifiers up.
    void Press(int vk, std::initializer_list<int> modifiers = {}) {
        for (int m : modifiers) {
            HoldModifier(m, true);
            Down(m);
        }
        Down(vk);
        Up(vk);
        for (int m : modifiers) {
            HoldModifier(m, false);
            Up(m);
        }
        Pump();
    }

    CDlgShortcutTrade* Strip() {
        auto& window = CKRTToolsApp::Instance().shortcutWindow;
        return window ? dynamic_cast<CDlgShortcutTrade*>(window->GetHwnd()) : nullptr;
    }

    const Terminal::Market::Instrument& Future() { return t.Host().Instrument("DCE", "m2408"); }
    const Terminal::Market::Instrument& IndexFuture() { return t.Host().Instrument("CFFEX", "IF2403"); }

    // Sets the best bid and ask of an instrument in real prices.
    void Quote(const Terminal::Market::Instrument& instrument, double bid, double ask) {
        t.Host().Market().SetBestQuote(instrument.index, instrument.ToUnits(bid), 10, instrument.ToUnits(ask),
                                       10);
        Pump();
    }

    // A position of the futures account, opened at a real price.
    void Hold(const Terminal::Market::Instrument& instrument, Terminal::Market::PositionSide side, int volume,
              double price) {
        ASSERT_TRUE(t.Host().Market().AddPosition("E1008", instrument.index, side, volume,
                                                  instrument.ToUnits(price)));
    }

    std::vector<Json::Value> Orders() { return t.Journal(QStringLiteral("Order")); }
    static std::string Field(const Json::Value& entry, const char* key) {
        const Json::Value& order = entry["Request"]["Order"];
        return Kora::Utility::JsonText(order, key);
    }
    static int Volume(const Json::Value& entry) { return entry["Request"]["Order"]["Volume"].asInt(); }

    ComponentOnHost t;

private:
    QWindow m_keyboard;
    Qt::KeyboardModifiers m_held;
};
