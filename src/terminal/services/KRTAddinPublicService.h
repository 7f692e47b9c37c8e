#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <mutex>
#include <vector>

#include "host/Journal.h"
#include "host/NormalMsgCenter.h"
#include "host/OrderDesk.h"
#include "host/ServiceBase.h"
#include "kora/interface/AddinI.h"
#include "market/Simulator.h"

namespace Terminal::Services {

// "Kora.Platform.Service.KRTAddinPublic": the terminal's shared pages; the only one offered is
// the combination order page (page 1001, name "多品种"). Each request to open it is journalled
// as "Combination" with its "PageID", "Caller" and "PageName", the request kept as sent
// ("OrderList" and its legs included).
//
// A request is refused (null answer, journal line with the refusal) when the page is not that
// one, the request is not an object with an "OrderList" array, or a leg does not make an order:
// each leg {"Contract": {"ExchangeCode", "ContractCode"}, "EAccountID" (or the request's
// "EAccountID"/"VAccountID"), "BS", "OC", "BD" (character codes 48/49 or texts), "Volume"}
// becomes a limit order of leg volume × "CombinationVolume" (default 1), hedge '1', priced by
// the request's "PriceType" ("对手价" by default, "挂单价", "最新价") when it is confirmed.
//
// An accepted request waits as a pending combination with a page window (the presenter's, by
// default a hidden placeholder widget named "CombinationOrderPage"; none without a
// QApplication), which carries the combination's id as its property "PageID". Confirming sends the legs to
// the market, each journalled as an "Order" (the leg's order object, with the pending combination's
// "CombinationID"), and posts "CombinationOrderDlg_IDOK"
// {"PageID", "Results": [the order answers]}; cancelling sends and journals nothing and posts
// "CombinationOrderDlg_IDCANCEL" {"PageID"}. With automatic confirmation the page is confirmed as soon as it
// opens. An empty "OrderList" opens a page whose confirmation sends nothing.
class KRTAddinPublicService : public ServiceBase<Kora::Interface::KRTAddinPublicI> {
public:
    static constexpr int32_t kCombinationPage = 1001;

    struct PendingCombination {
        int id = 0;
        Json::Value request;
        QString caller;
        QPointer<QWidget> page;
    };
    // Shows the page of a pending combination; answers its window.
    using PagePresenter = std::function<QWidget*(int id, const Json::Value& request, QWidget* owner)>;

    KRTAddinPublicService(Market::Simulator& market, OrderDesk& orders, NormalMsgCenter& messages,
                          Journal& journal, bool autoConfirm);

    Kora::Interface::WindowHandle OpenPage(int32_t pageId, const QString& callerTag, const QString& pageName,
                                           Kora::Interface::WindowHandle owner,
                                           const Json::Value& request) override;

    std::vector<PendingCombination> Pending() const;
    // False when no combination of that id waits.
    bool Confirm(int id);
    bool Cancel(int id);
    void SetPagePresenter(PagePresenter presenter);

private:
    struct Leg {
        Json::Value order;  // the order object the leg becomes
        ParsedOrder parsed;
    };
    // The legs as orders priced now; the first error stops.
    std::vector<Leg> Legs(const Json::Value& request, std::string& error) const;
    std::optional<PendingCombination> Take(int id);

    Market::Simulator& m_market;
    OrderDesk& m_orders;
    NormalMsgCenter& m_messages;
    Journal& m_journal;
    const bool m_autoConfirm;
    mutable std::mutex m_lock;
    std::vector<PendingCombination> m_pending;
    int m_nextId = 1;
    PagePresenter m_presenter;
};

}  // namespace Terminal::Services
