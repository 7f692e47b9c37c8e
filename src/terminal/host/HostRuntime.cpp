#include "host/HostRuntime.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <stdexcept>

#include "host/Records.h"
#include "host/TradingEventPublisher.h"
#include "kora/interface/KRTToolsI.h"
#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"

namespace Terminal {

using Kora::Utility::Handle;

namespace {

constexpr int kBeijingOffset = 8 * 3600;
constexpr int kLiveClockMs = 50;
constexpr int kMaxCatchUpSteps = 10;

QString SettingsFile(const HostOptions& options) {
    if (!options.configFile.isEmpty()) {
        return options.configFile;
    }
    if (!options.workDir.isEmpty()) {
        return QDir(options.workDir).filePath(QStringLiteral("../cfg/terminal.json"));
    }
    return QString();
}

}  // namespace

template <class T>
void HostRuntime::Offer(Handle<T>& slot, T* service) {
    slot = Handle<T>(service);
    m_registry->RegisterService(Handle<Kora::Interface::ServiceInterfaceI>(service));
}

HostRuntime::HostRuntime(HostOptions options) : m_options(std::move(options)) {
    m_settings = std::make_unique<ConfigStore>(SettingsFile(m_options));
    for (const QString& problem : m_settings->Problems()) {
        std::fprintf(stderr, "krt-terminal: %s\n", problem.toUtf8().constData());
    }

    Market::SimulatorOptions marketOptions;
    marketOptions.seed = m_options.seed;
    marketOptions.tradingDay = m_options.tradingDay;
    m_market = std::make_unique<Market::Simulator>(marketOptions);
    // Scripted, the day starts at its opening; live, at the time of day it is now, on the
    // trading day (today unless another was asked for).
    const QDateTime start =
        QDateTime(m_market->TradingDay(),
                  m_options.scripted ? QTime(9, 30)
                                     : QDateTime::currentDateTime().toOffsetFromUtc(kBeijingOffset).time(),
                  Qt::OffsetFromUTC, kBeijingOffset);

    m_messages = Handle<NormalMsgCenter>(new NormalMsgCenter);
    m_highPerformance = Handle<HPMsgCenter>(new HPMsgCenter);
    m_registry = Handle<APIMgr>(new APIMgr);
    m_host = Handle<HostObject>(new HostObject(m_registry, m_messages, m_highPerformance));

    Offer(m_time, new Services::TimeService(*m_messages, start));
    Services::TimeService* time = m_time.Get();
    auto now = [time] { return time->Now(); };
    m_market->SetClock(now);
    m_journal = std::make_unique<Journal>(m_options.journalPath, now);
    m_orders =
        std::make_unique<OrderDesk>(*m_market, *m_journal, [this] { return m_engine->CurrentAccountId(); });

    Offer(m_engine, new Services::KRTEngineService(*m_market, *m_orders, *m_messages, *m_settings,
                                                   m_options.autoConfirm));
    Offer(m_entityAccounts, new Services::EntityAccountMgrService(*m_market, *m_orders));
    Offer(m_virtualAccounts, new Services::VirtualAccountMgrService(*m_market));
    Offer(m_contracts, new Services::KRTContractService(*m_market));
    Offer(m_config, new Services::KRTConfigService(*m_settings, *m_messages));
    Offer(m_theme, new Services::ThemeService(*m_settings));
    Offer(m_quoteData, new Services::BaseQuoteDataService(*m_market));
    Offer(m_optionsData, new Services::OptionsDataService(*m_market, now));
    Offer(m_advanceData, new Services::AdvanceDataService(*m_market));
    Offer(m_quotes, new Services::QuoteSubscribeService(*m_market, *m_highPerformance, *m_messages));
    Offer(m_contentWindows, new Services::ContentWindowService);
    Offer(m_activity, new Services::ActivityMgrService(*m_messages));
    Offer(m_instructs, new Services::InstructService(*m_activity));
    Offer(m_uiFrame, new Services::UIFrameService);
    Offer(m_log, new Services::LogService);
    Offer(m_search, new Services::SearchUIService(*m_market));
    Offer(m_conditions, new Services::KRTAddinConditionService(*m_market, *m_orders, *m_journal, now));
    Offer(m_addinPublic, new Services::KRTAddinPublicService(*m_market, *m_orders, *m_messages, *m_journal,
                                                             m_options.autoConfirm));
    m_engine->SetEchoLog(m_options.echoLogs);
    m_log->SetEcho(m_options.echoLogs);

    m_publisher = std::make_unique<TradingEventPublisher>(*m_market, *m_messages, *m_quotes, *m_conditions);
    m_market->SetListener(m_publisher.get());
    m_loader = std::make_unique<ComponentLoader>(Host());

    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        m_mainWindow = std::make_unique<QWidget>();
        m_mainWindow->setObjectName(QStringLiteral("KrtMainWindow"));
        m_mainWindow->setWindowTitle(QStringLiteral("交易终端"));
        m_uiFrame->SetMainWindow(m_mainWindow.get());
    }
    if (!m_options.scripted) {
        StartLiveMarket();
    }
}

HostRuntime::~HostRuntime() {
    StopLiveMarket();
    m_loader->Unload();
    m_contentWindows->Clear();
    m_instructs->Clear();
    m_market->SetListener(nullptr);
    m_quotes->Clear();
    m_highPerformance->Clear();
    m_highPerformance->WaitIdle();
    m_messages->Clear();
    m_uiFrame->SetMainWindow(nullptr);
    m_mainWindow.reset();
    m_registry->Clear();
}

Handle<Kora::Interface::HostI> HostRuntime::Host() const {
    return Handle<Kora::Interface::HostI>(m_host.Get());
}

void HostRuntime::SetCanCacheServices(bool canCache) {
    m_host->SetCanCacheServices(canCache);
}

bool HostRuntime::WithdrawService(const QString& name) {
    return m_registry->Withdraw(name);
}

const Market::Instrument& HostRuntime::Instrument(const std::string& exchange,
                                                  const std::string& code) const {
    const Market::Instrument* instrument = m_market->Catalogue().Find(exchange, code);
    if (!instrument) {
        throw std::invalid_argument("no contract " + exchange + " " + code);
    }
    return *instrument;
}

Kora::Interface::QuoteKey HostRuntime::KeyOf(const Market::Instrument& instrument) const {
    return Records::KeyOf(instrument);
}

void HostRuntime::PushFlash(int instrument, int32_t flashFlag) {
    m_quotes->PushFlash(instrument, flashFlag);
}

bool HostRuntime::SetLoggedIn(const std::string& accountId, bool loggedIn) {
    const auto account = m_market->Account(accountId);
    if (!account || !m_market->SetLoggedIn(accountId, loggedIn)) {
        return false;
    }
    Json::Value payload = Records::Account(*account, loggedIn);
    if (!loggedIn) {
        payload["ExitTrade"] = true;
    }
    m_messages->Post(
        loggedIn ? Kora::Interface::Topic::kAccountLogin : Kora::Interface::Topic::kAccountLogout, payload,
        0);
    return true;
}

void HostRuntime::DeliverMessages() {
    m_messages->DeliverPending();
}

void HostRuntime::WaitForPushes() {
    m_highPerformance->WaitIdle();
}

void HostRuntime::Settle() {
    constexpr int kRounds = 100;
    for (int round = 0; round < kRounds; ++round) {
        WaitForPushes();
        if (m_messages->PendingCount() == 0) {
            return;
        }
        DeliverMessages();
    }
}

Handle<MessageRecorder> HostRuntime::Record(std::initializer_list<QString> topics) {
    Handle<MessageRecorder> recorder(new MessageRecorder);
    for (const QString& topic : topics) {
        m_messages->Subscribe(recorder, topic);
    }
    return recorder;
}

void HostRuntime::AdvanceClock(int64_t ms) {
    m_time->Advance(ms);
}

QDate HostRuntime::RollTradingDay() {
    QDate next = m_market->TradingDay().addDays(1);
    while (next.dayOfWeek() > 5) {
        next = next.addDays(1);
    }
    m_time->JumpTo(QDateTime(next, QTime(9, 30), Qt::OffsetFromUTC, kBeijingOffset));
    m_conditions->ExpireAll();
    return m_market->RollDay();
}

std::vector<Json::Value> HostRuntime::JournalEntries() const {
    return m_journal->Entries();
}

bool HostRuntime::LoadComponentLibrary(const QString& path) {
    return m_loader->LoadLibrary(path.isEmpty() ? ComponentLoader::DefaultLibraryPath() : path);
}

bool HostRuntime::LoadComponent(ComponentLoader::Create create, ComponentLoader::Destroy destroy) {
    return m_loader->Load(std::move(create), std::move(destroy));
}

void HostRuntime::UnloadComponent() {
    m_loader->Unload();
}

Json::Value HostRuntime::ComponentInfo() {
    auto tools =
        m_registry->GetService(Kora::Interface::KRTToolsI::ServiceName(), true).Cast<Kora::Interface::KRTI>();
    return tools ? tools->ComponentInfo() : Json::Value();
}

void HostRuntime::StartLiveMarket() {
    if (m_liveTimer || !QCoreApplication::instance()) {
        return;
    }
    int rate = m_options.pushesPerSecond;
    if (rate <= 0) {
        rate = int(Kora::Utility::JsonInt(
            m_settings->Value(QStringLiteral("Simulator"), QStringLiteral("PushesPerSecond")), 4));
    }
    const int64_t stepMs = 1000 / std::clamp(rate, 1, 1000);
    auto elapsed = std::make_shared<QElapsedTimer>();
    auto owed = std::make_shared<int64_t>(0);
    elapsed->start();
    m_liveTimer = std::make_unique<QTimer>();
    QObject::connect(m_liveTimer.get(), &QTimer::timeout, [this, elapsed, owed, stepMs] {
        const int64_t ms = elapsed->restart();
        m_time->Advance(ms);
        *owed = std::min(*owed + ms, stepMs * kMaxCatchUpSteps);
        while (*owed >= stepMs) {
            m_market->Step();
            *owed -= stepMs;
        }
    });
    m_liveTimer->start(int(std::min<int64_t>(kLiveClockMs, stepMs)));
}

void HostRuntime::StopLiveMarket() {
    m_liveTimer.reset();
}

QWidget* HostRuntime::MainWindow() const {
    return m_mainWindow.get();
}

}  // namespace Terminal
