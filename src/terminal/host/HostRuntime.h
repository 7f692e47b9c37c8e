#pragma once

#include <QDate>
#include <QString>
#include <initializer_list>
#include <memory>
#include <string>

#include "host/APIMgr.h"
#include "host/ComponentLoader.h"
#include "host/ConfigStore.h"
#include "host/HPMsgCenter.h"
#include "host/HostObject.h"
#include "host/Journal.h"
#include "host/MessageRecorder.h"
#include "host/NormalMsgCenter.h"
#include "host/OrderDesk.h"
#include "market/Simulator.h"
#include "services/ActivityMgrService.h"
#include "services/AdvanceDataService.h"
#include "services/BaseQuoteDataService.h"
#include "services/ContentWindowService.h"
#include "services/EntityAccountMgrService.h"
#include "services/InstructService.h"
#include "services/KRTAddinConditionService.h"
#include "services/KRTAddinPublicService.h"
#include "services/KRTConfigService.h"
#include "services/KRTContractService.h"
#include "services/KRTEngineService.h"
#include "services/LogService.h"
#include "services/OptionsDataService.h"
#include "services/QuoteSubscribeService.h"
#include "services/SearchUIService.h"
#include "services/ThemeService.h"
#include "services/TimeService.h"
#include "services/UIFrameService.h"
#include "services/VirtualAccountMgrService.h"

class QTimer;
class QWidget;

namespace Terminal {

class TradingEventPublisher;

struct HostOptions {
    // Scripted: nothing moves unless the caller moves it (prices, fills, the clock). Live: a
    // seeded random walk moves prices and the clock follows real time.
    bool scripted = true;
    uint64_t seed = 1;
    // The simulated trading day (contract months and option expiries follow it); invalid: today.
    QDate tradingDay;
    // The working folder: settings are read from <workDir>/../cfg/terminal.json. The runtime
    // never changes the process's current folder. Empty: shipped settings only (unless
    // configFile is given).
    QString workDir;
    QString configFile;   // overrides the workDir rule
    QString journalPath;  // empty: the journal is kept in memory only
    // Combination pages and order confirmations answer "yes" at once.
    bool autoConfirm = false;
    // Live pushes per second (0: the "Simulator"."PushesPerSecond" setting).
    int pushesPerSecond = 0;
    // Echo the engine's and the log service's lines on stderr.
    bool echoLogs = false;
};

// The simulated host terminal in one object: everything a component can reach (the host object,
// the service registry with every service, the two message centres), the market behind them,
// the journal, and the component itself. Build one per test:
//
//   QApplication (offscreen) must exist for widgets, the normal centre's delivery and the live
//   timer; the market, the services and the high-performance centre work without one.
//
//   Terminal::HostRuntime host;                                   // scripted, seed 1, today
//   host.LoadComponent(create, destroy);                          // or LoadComponentLibrary(path)
//   const auto& meal = *host.Market().Catalogue().At(0);          // the commodity future
//   host.Market().SetBestQuote(meal.index, 2999, 10, 3001, 10);   // pushes the quote
//   host.Settle();                                                // every push and message delivered
//
// Accounts (market/Accounts.h): E1001 securities, E1005 credit ("融资融券"), E1006 stock options,
// E1008 futures (the current account); contracts: market/Listing.h; records:
// host/Records.h; messages, order statuses and named operations: services/KRTEngineService.h.
//
// Threads: the normal centre delivers on the UI thread when the event loop runs (or when
// DeliverMessages/Settle is called there); quote pushes arrive on the high-performance centre's
// worker thread (WaitForPushes waits for them). Destroying the runtime unloads the component
// first; everything the runtime handed out must be released before it is destroyed.
class HostRuntime {
public:
    explicit HostRuntime(HostOptions options = {});
    ~HostRuntime();
    HostRuntime(const HostRuntime&) = delete;
    HostRuntime& operator=(const HostRuntime&) = delete;

    const HostOptions& Options() const { return m_options; }

    // ---- What a component is given.
    Kora::Utility::Handle<Kora::Interface::HostI> Host() const;
    HostObject& HostImpl() { return *m_host; }
    APIMgr& Registry() { return *m_registry; }
    // Whether components may cache services (on by default).
    void SetCanCacheServices(bool canCache);
    // Removes a service from the registry: a terminal without it.
    bool WithdrawService(const QString& name);

    // ---- The services, as the terminal drives them.
    Services::KRTEngineService& Engine() { return *m_engine; }
    Services::EntityAccountMgrService& EntityAccounts() { return *m_entityAccounts; }
    Services::VirtualAccountMgrService& VirtualAccounts() { return *m_virtualAccounts; }
    Services::KRTContractService& Contracts() { return *m_contracts; }
    Services::KRTConfigService& Config() { return *m_config; }
    Services::ThemeService& Theme() { return *m_theme; }
    Services::BaseQuoteDataService& QuoteData() { return *m_quoteData; }
    Services::OptionsDataService& OptionsData() { return *m_optionsData; }
    Services::AdvanceDataService& AdvanceData() { return *m_advanceData; }
    Services::QuoteSubscribeService& Quotes() { return *m_quotes; }
    Services::ContentWindowService& ContentWindows() { return *m_contentWindows; }
    Services::InstructService& Instructs() { return *m_instructs; }
    Services::UIFrameService& UIFrame() { return *m_uiFrame; }
    Services::TimeService& Time() { return *m_time; }
    Services::LogService& Log() { return *m_log; }
    Services::SearchUIService& Search() { return *m_search; }
    Services::ActivityMgrService& Activity() { return *m_activity; }
    Services::KRTAddinConditionService& Conditions() { return *m_conditions; }
    Services::KRTAddinPublicService& AddinPublic() { return *m_addinPublic; }
    ConfigStore& Settings() { return *m_settings; }
    OrderDesk& Orders() { return *m_orders; }

    // ---- The market.
    Market::Simulator& Market() { return *m_market; }
    // The contract of an exchange and code; throws std::invalid_argument for an unknown one.
    const Market::Instrument& Instrument(const std::string& exchange, const std::string& code) const;
    Kora::Interface::QuoteKey KeyOf(const Market::Instrument& instrument) const;
    // A flash quote push (30001 carrying the flash flag).
    void PushFlash(int instrument, int32_t flashFlag);
    // Logs an account in or out and announces it ("AccountLogin" / "AccountLogout" with the
    // account record; a logout also carries "ExitTrade": true).
    bool SetLoggedIn(const std::string& accountId, bool loggedIn);

    // ---- Messages.
    NormalMsgCenter& Messages() { return *m_messages; }
    HPMsgCenter& HighPerformance() { return *m_highPerformance; }
    // Delivers every posted message now (on the UI thread).
    void DeliverMessages();
    // Waits until every push enqueued so far has been delivered.
    void WaitForPushes();
    // Both, repeatedly, until nothing is left to deliver.
    void Settle();
    // A recorder subscribed to the topics ("*" for every topic) of the normal centre.
    Kora::Utility::Handle<MessageRecorder> Record(std::initializer_list<QString> topics);

    // ---- Time: moves the time service's clock, firing due timers (their ticks are posted).
    void AdvanceClock(int64_t ms);
    // Ends the trading day (Simulator::RollDay: settlement, expiries, positions, K-lines) and
    // opens the next weekday: the clock jumps to its opening at 09:30 (no timer fires for the
    // night) and every conditional order still waiting expires. Answers the new day.
    QDate RollTradingDay();

    // ---- Journal.
    Journal& GetJournal() { return *m_journal; }
    std::vector<Json::Value> JournalEntries() const;

    // ---- The component.
    // dlopen()s the library (default: libKRTTools.so beside the running program) and loads it.
    bool LoadComponentLibrary(const QString& path = {});
    // Loads a component linked into the calling program, e.g.
    //   host.LoadComponent([](auto h) { return new ThisComponent(h.Get()); },
    //                      [](auto* c) { delete c; });
    bool LoadComponent(ComponentLoader::Create create, ComponentLoader::Destroy destroy);
    void UnloadComponent();
    Kora::Interface::ComponentI* Component() const { return m_loader->Component(); }
    QString LastError() const { return m_loader->LastError(); }
    // The loaded component's description record (through its tools service); null without one.
    Json::Value ComponentInfo();

    // ---- Live mode: started by the constructor when not scripted; needs a QCoreApplication.
    void StartLiveMarket();
    void StopLiveMarket();

    // The hidden stand-in main window (null without a QApplication).
    QWidget* MainWindow() const;

private:
    template <class T>
    void Offer(Kora::Utility::Handle<T>& slot, T* service);

    HostOptions m_options;
    std::unique_ptr<ConfigStore> m_settings;
    std::unique_ptr<Market::Simulator> m_market;
    std::unique_ptr<Journal> m_journal;
    std::unique_ptr<OrderDesk> m_orders;
    Kora::Utility::Handle<NormalMsgCenter> m_messages;
    Kora::Utility::Handle<HPMsgCenter> m_highPerformance;
    Kora::Utility::Handle<APIMgr> m_registry;
    Kora::Utility::Handle<HostObject> m_host;

    Kora::Utility::Handle<Services::TimeService> m_time;
    Kora::Utility::Handle<Services::KRTEngineService> m_engine;
    Kora::Utility::Handle<Services::EntityAccountMgrService> m_entityAccounts;
    Kora::Utility::Handle<Services::VirtualAccountMgrService> m_virtualAccounts;
    Kora::Utility::Handle<Services::KRTContractService> m_contracts;
    Kora::Utility::Handle<Services::KRTConfigService> m_config;
    Kora::Utility::Handle<Services::ThemeService> m_theme;
    Kora::Utility::Handle<Services::BaseQuoteDataService> m_quoteData;
    Kora::Utility::Handle<Services::OptionsDataService> m_optionsData;
    Kora::Utility::Handle<Services::AdvanceDataService> m_advanceData;
    Kora::Utility::Handle<Services::QuoteSubscribeService> m_quotes;
    Kora::Utility::Handle<Services::ContentWindowService> m_contentWindows;
    Kora::Utility::Handle<Services::InstructService> m_instructs;
    Kora::Utility::Handle<Services::UIFrameService> m_uiFrame;
    Kora::Utility::Handle<Services::LogService> m_log;
    Kora::Utility::Handle<Services::SearchUIService> m_search;
    Kora::Utility::Handle<Services::ActivityMgrService> m_activity;
    Kora::Utility::Handle<Services::KRTAddinConditionService> m_conditions;
    Kora::Utility::Handle<Services::KRTAddinPublicService> m_addinPublic;

    std::unique_ptr<TradingEventPublisher> m_publisher;
    std::unique_ptr<ComponentLoader> m_loader;
    std::unique_ptr<QWidget> m_mainWindow;
    std::unique_ptr<QTimer> m_liveTimer;
};

}  // namespace Terminal
