#pragma once

#include <json/value.h>

#include <QString>
#include <set>
#include <utility>
#include <vector>

#include "trading/SmartOrderTracker.h"

class QWidget;
class TradePrompter;

// A window's combination orders from the page it opens to the smart orders they become. The
// page's answers ("CombinationOrderDlg_IDOK" {"PageID", "Results"}, "CombinationOrderDlg_IDCANCEL"
// {"PageID"}) are taken only for pages this window opened; a confirmed page's results name its
// smart orders, which are then followed through their notices
// ("Kora.Message.StgyReorder.NotifyInfo"): refusals in the results and failure notices of those
// smart orders are told to the trader, everything about other windows' orders is ignored.
//
// The host reports each leg as it sends it and answers the page after the last one, so notices
// may come before the answer that names their smart orders: while a page awaits its answer,
// notices about unknown smart orders are held (the latest 512), and replayed once it comes.
// Answers that arrive while a page is still being opened (a page with a loop of its own) wait
// until the page is known.
//
// Calls come on the window's thread.
class CombinationOrderFollower {
public:
    explicit CombinationOrderFollower(TradePrompter& prompter);

    // Opens the combination order page for the request; false (and the trader told) when none
    // opened.
    bool Open(const Json::Value& request, QWidget* owner);
    // Takes a page answer or a smart-order notice; false for any other topic.
    bool OnMessage(const QString& topic, const Json::Value& payload);

    bool IsAwaitingAnswer() const { return !m_pages.empty() || m_unnamedPages > 0; }
    const SmartOrderTracker& Tracker() const { return m_tracker; }

private:
    void OnAnswer(const QString& topic, const Json::Value& payload);
    void OnNotice(const Json::Value& payload);

    TradePrompter& m_prompter;
    // Pages opened and not answered, by "PageID"; and pages whose window carries none, which any
    // answer without a "PageID" settles.
    std::set<int64_t> m_pages;
    int m_unnamedPages = 0;
    bool m_opening = false;
    std::vector<std::pair<QString, Json::Value>> m_heldWhileOpening;
    std::vector<Json::Value> m_heldNotices;
    SmartOrderTracker m_tracker;
};
