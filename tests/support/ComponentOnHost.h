#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "frame/ThisComponent.h"
#include "host/HostRuntime.h"
#include "platform/MessageBox.h"
#include "support/WaitUntil.h"

// The simulated terminal (scripted, on a fixed trading day) with the trading tools component
// loaded in-process, and every message box of both answered by the test: the boxes shown are
// recorded and answered with `answer` (OK/Yes by default). Restores the process-wide responder
// when it goes.
//
//   ComponentOnHost t;
//   t.answer = Win::IDNO;
//   ... drive the component ...
//   EXPECT_EQ(t.BoxTexts(), QStringList{"改单确认"});
class ComponentOnHost {
public:
    // The scripted terminal on the tests' fixed trading day (support/ScriptedOptions.h).
    static Terminal::HostOptions Options();

    explicit ComponentOnHost(Terminal::HostOptions options = Options());
    ~ComponentOnHost();
    ComponentOnHost(const ComponentOnHost&) = delete;
    ComponentOnHost& operator=(const ComponentOnHost&) = delete;

    Terminal::HostRuntime& Host() { return *m_host; }
    ThisComponent& Component() { return *dynamic_cast<ThisComponent*>(m_host->Component()); }

    int answer = Win::IDYES;
    std::vector<Win::MessageBoxRequest> boxes;
    // Runs while a box is open, before it is answered: what a trader or the market does in the
    // meantime.
    std::function<void(const Win::MessageBoxRequest&)> whileOpen;
    QStringList BoxTexts() const;

    // Delivers what is pending: the host's messages and pushes, then the windows' own posted
    // messages, again until both are quiet.
    void Pump();

    // The journal's entries of a kind ("Order", "Cancel", "Combination", ...).
    std::vector<Json::Value> Journal(const QString& kind) const;
    // Log lines the component wrote through the engine, "level:text".
    QStringList EngineLog() const;

private:
    Win::MessageBoxResponder m_previous;
    std::unique_ptr<Terminal::HostRuntime> m_host;
};
