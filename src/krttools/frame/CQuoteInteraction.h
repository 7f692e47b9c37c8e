#pragma once

#include <json/value.h>

// The smart-order bridge: keeps the smart-order switches and hands quote-interaction requests
// to the engine as request 6022.
class CQuoteInteraction {
public:
    static constexpr int kQuoteInteractionRequest = 6022;

    // Switches such as {"SplitOrderEnable": false, "ReorderEnable": true}; true when stored.
    bool SetSmartOrderSwitch(const Json::Value& switches, const Json::Value& account);
    const Json::Value& Switches() const { return m_switches; }

    // Sends the request on the account it names, or on the engine's current trading account.
    // False without an engine, an account, or when the engine answers an error.
    bool SendRequest(const Json::Value& request, const Json::Value& account);

private:
    Json::Value m_switches{Json::objectValue};
};
