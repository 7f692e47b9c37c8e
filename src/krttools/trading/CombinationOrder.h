#pragma once

#include <json/value.h>

#include <QChar>
#include <QString>
#include <optional>
#include <vector>

class QWidget;

// The host's combination order page ("多品种", page 1001 of the add-in service), through which a
// tool sends several legs as one order: the trader sees the legs there and confirms or closes
// the page. The page's answers, "CombinationOrderDlg_IDOK" {"PageID", "Results"} and
// "CombinationOrderDlg_IDCANCEL" {"PageID"}, name it by the "PageID" its window carries.
namespace CombinationOrder {

// One leg of the request's "OrderList".
struct Leg {
    QString exchangeCode;
    QString contractCode;
    QChar direction;  // TradingCodes::Direction; a null code is sent as 0
    QChar offset;
    QChar covered;
    Json::Value volume;
    QString accountId;  // the leg's "EAccountID"; not sent when empty
};

// {"Contract": {"ExchangeCode", "ContractCode"}, ["EAccountID"], "BS", "OC", "BD", "Volume"}:
// the direction, offset and covered codes as their character codes ('1' is 49).
Json::Value LegRecord(const Leg& leg);

// {"EAccountID", "VAccountID" (the account record's), "OrderList" (the legs' records),
// "CombinationVolume": 1}: the request of one combination, to which a tool adds members of its
// own ("CombinationName" ...).
Json::Value Request(const Json::Value& account, const std::vector<Leg>& legs);

// Opens the page for the request, owned by `owner`, with the caller text
// "KRTAddinPublic,-706-@". The page's window, or null when the add-in service is missing or
// opened none.
QWidget* OpenPage(const Json::Value& request, QWidget* owner);

// The "PageID" a page's window carries; nothing for a host whose pages carry none.
std::optional<int64_t> PageIdOf(const QWidget* page);

}  // namespace CombinationOrder
