#include "support/ComponentOnHost.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include "kora/utility/JsonAccess.h"
#include "support/HostSteps.h"
#include "support/ScriptedOptions.h"

Terminal::HostOptions ComponentOnHost::Options() {
    return ScriptedOptions();
}

ComponentOnHost::ComponentOnHost(Terminal::HostOptions options) {
    m_previous = Win::SetMessageBoxResponder([this](const Win::MessageBoxRequest& request) {
        boxes.push_back(request);
        if (whileOpen) {
            whileOpen(request);
        }
        unsigned buttons = request.flags & 0xF;
        if (buttons == Win::MB_OK) {
            return Win::IDOK;
        }
        if (buttons == Win::MB_OKCANCEL) {
            return answer == Win::IDYES || answer == Win::IDOK ? Win::IDOK : Win::IDCANCEL;
        }
        return answer == Win::IDOK ? Win::IDYES : answer;
    });
    m_host = std::make_unique<Terminal::HostRuntime>(options);
    m_host->LoadComponent(
        [](Kora::Utility::Handle<Kora::Interface::HostI> host) { return new ThisComponent(host.Get()); },
        [](Kora::Interface::ComponentI* component) { delete component; });
}

ComponentOnHost::~ComponentOnHost() {
    m_host.reset();
    Win::SetMessageBoxResponder(m_previous);
}

void ComponentOnHost::Pump() {
    for (int round = 0; round < 10; ++round) {
        m_host->Settle();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

QStringList ComponentOnHost::BoxTexts() const {
    QStringList texts;
    for (const auto& box : boxes) {
        texts << box.text;
    }
    return texts;
}

std::vector<Json::Value> ComponentOnHost::Journal(const QString& kind) const {
    return JournalOf(*m_host, kind);
}

QStringList ComponentOnHost::EngineLog() const {
    QStringList lines;
    for (const auto& entry : m_host->Engine().LogEntries()) {
        lines << QStringLiteral("%1:%2").arg(entry.level).arg(entry.text);
    }
    return lines;
}
