#pragma once

#include <json/value.h>

#include <QString>

class QWidget;

namespace Kora::Interface {
class KRTEngineI;
}

// How the trading code reaches the trader: messages, questions, the trading password and the
// engine's own order confirmation. Models take one by reference and never open a box
// themselves, so they run the same under a window, a test or a headless terminal. Every box is
// titled "提示".
class TradePrompter {
public:
    virtual ~TradePrompter() = default;

    // Something the trader must know: a refusal, a failure.
    virtual void Tell(const QString& text) = 0;
    // A question with OK and Cancel; true for OK.
    virtual bool Confirm(const QString& question) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool Ask(const QString& question) = 0;
    // The trading password of the account, checked by the engine: asked on every order when
    // `everyOrder`, otherwise only when the engine requires it. True when the order may go.
    virtual bool CheckPassword(Kora::Interface::KRTEngineI* engine, const Json::Value& account,
                               bool everyOrder) = 0;
    // The engine's confirmation of an order request; true when the trader accepted it.
    virtual bool ConfirmOrder(Kora::Interface::KRTEngineI& engine, const Json::Value& request) = 0;
};

// The prompter of a window: the control library's message boxes and password prompt, owned by
// the window (which may be null: the boxes then have no owner).
class WindowPrompter : public TradePrompter {
public:
    explicit WindowPrompter(QWidget* owner) : m_owner(owner) {}

    void Tell(const QString& text) override;
    bool Confirm(const QString& question) override;
    bool Ask(const QString& question) override;
    bool CheckPassword(Kora::Interface::KRTEngineI* engine, const Json::Value& account,
                       bool everyOrder) override;
    bool ConfirmOrder(Kora::Interface::KRTEngineI& engine, const Json::Value& request) override;

private:
    QWidget* m_owner;
};
