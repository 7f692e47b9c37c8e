#include "services/AccountRecords.h"

#include "host/ContractLookup.h"
#include "host/Records.h"
#include "kora/utility/JsonAccess.h"

namespace Terminal::Services::AccountRecords {

using Kora::Utility::JsonText;

std::optional<Market::TradingAccount> AccountOf(const Market::Simulator& market, const Json::Value& query) {
    if (query.isString()) {
        return market.Account(query.asString());
    }
    const std::string id = JsonText(query, "EAccountID");
    if (!id.empty()) {
        return market.Account(id);
    }
    const std::string virtualId = JsonText(query, "VAccountID");
    return virtualId.empty() ? std::nullopt : market.AccountByVirtualId(virtualId);
}

namespace {

// -1 when the query names no contract: every contract.
int ContractFilter(const Market::Simulator& market, const Json::Value& query) {
    if (!query.isObject()) {
        return -1;
    }
    const Market::Instrument* instrument = FindInstrument(market.Catalogue(), query);
    return instrument ? instrument->index : -1;
}

}  // namespace

Json::Value Orders(const Market::Simulator& market, const Json::Value& query, bool workingOnly) {
    Json::Value records(Json::arrayValue);
    const auto account = AccountOf(market, query);
    if (!account) {
        return records;
    }
    const int filter = ContractFilter(market, query);
    for (const Market::OrderView& order : market.Orders(account->eAccountId)) {
        if ((filter < 0 || order.ticket.instrument == filter) &&
            (!workingOnly || Market::OrderStatus::IsWorking(order.status))) {
            records.append(Records::Order(order, *market.Catalogue().At(order.ticket.instrument), *account));
        }
    }
    return records;
}

Json::Value Positions(const Market::Simulator& market, const Json::Value& query) {
    Json::Value records(Json::arrayValue);
    const auto account = AccountOf(market, query);
    if (!account) {
        return records;
    }
    const int filter = ContractFilter(market, query);
    for (const Market::PositionView& position : market.Positions(account->eAccountId)) {
        if (filter < 0 || position.instrument == filter) {
            records.append(Records::Position(position, *market.Catalogue().At(position.instrument)));
        }
    }
    return records;
}

Json::Value Money(const Market::Simulator& market, const Json::Value& query) {
    Json::Value records(Json::arrayValue);
    const auto account = AccountOf(market, query);
    if (!account) {
        return records;
    }
    if (const auto money = market.Money(account->eAccountId)) {
        records.append(Records::Money(*money));
    }
    return records;
}

Json::Value Order(const Market::Simulator& market, const std::string& accountId, const std::string& orderId) {
    const auto account = market.Account(accountId);
    const auto order = orderId.empty() ? std::nullopt : market.FindOrder(orderId);
    if (!account || !order || order->ticket.accountId != accountId) {
        return Json::Value();
    }
    return Records::Order(*order, *market.Catalogue().At(order->ticket.instrument), *account);
}

}  // namespace Terminal::Services::AccountRecords
